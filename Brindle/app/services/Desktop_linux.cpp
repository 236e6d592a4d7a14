// The desktop on Linux: org.freedesktop.FileManager1 to show a folder selected, the desktop's
// URL handlers through QDesktopServices, and the photo manager started from its entry.
#include "Brindle/app/services/Desktop.h"

#include "Brindle/app/services/PhotoManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace brindle {

namespace {

class LinuxDesktop final : public Desktop {
public:
    void reveal(const QString& path) override
    {
        const QUrl url = QUrl::fromLocalFile(path);
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            QDesktopServices::openUrl(url);
            return;
        }
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
        message << QStringList{url.toString(QUrl::FullyEncoded)} << QString();
        // A watcher without a parent: it outlives this object if need be and deletes itself.
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, 5000));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                         [url](QDBusPendingCallWatcher* finished) {
                             finished->deleteLater();
                             if (finished->isError())
                                 QDesktopServices::openUrl(url);
                         });
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    void openPhotos() override
    {
        if (const auto manager = findPhotoManager(); manager && start(*manager))
            return;
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
    }

    bool launchApplication(const QStringList& desktopIds) override
    {
        const auto application = findApplication(desktopIds);
        return application && start(*application);
    }

    bool hasApplication(const QStringList& desktopIds) const override
    {
        return findApplication(desktopIds).has_value();
    }

private:
    static bool start(const DesktopApplication& application)
    {
        return QProcess::startDetached(application.command.constFirst(), application.command.mid(1));
    }
};

} // namespace

std::unique_ptr<Desktop> makeDesktop() { return std::make_unique<LinuxDesktop>(); }

} // namespace brindle
