// DesktopAppearance: whether the desktop asks programs for a dark or a light look.
//
// `start` asks once; the answer comes later through `schemeChanged`, emitted on the main
// thread from the event loop, and again each time the person switches while the program runs.
// Without a service that answers, nothing is emitted: callers start from `noPreference`.
#pragma once

#include <QObject>

#include <memory>

namespace brindle {

class DesktopAppearance : public QObject {
    Q_OBJECT
public:
    enum class Scheme { noPreference, dark, light };
    Q_ENUM(Scheme)

    using QObject::QObject;
    virtual void start() = 0;

signals:
    void schemeChanged(brindle::DesktopAppearance::Scheme scheme);
};

// The desktop portal's "color-scheme" setting, read over the session bus.
std::unique_ptr<DesktopAppearance> makeDesktopAppearance();

} // namespace brindle
