// Notifications kept in a list; permission requests counted and answered with `grant`.
#pragma once

#include "Brindle/app/services/Notifier.h"

#include <QList>
#include <QTimer>

namespace brindle::test {

class FakeNotifier final : public Notifier {
    Q_OBJECT
public:
    struct Posted {
        QString identifier;
        QString title;
        QString body;
        friend bool operator==(const Posted&, const Posted&) = default;
    };
    QList<Posted> posted;
    int permissionRequests = 0;
    bool grant = true;

    void post(const QString& identifier, const QString& title, const QString& body) override
    {
        posted.append({identifier, title, body});
    }
    void askPermission() override
    {
        ++permissionRequests;
        QTimer::singleShot(0, this, [this] { emit permissionAnswered(grant); });
    }
    void click(const QString& identifier) { emit activated(identifier); }
};

} // namespace brindle::test
