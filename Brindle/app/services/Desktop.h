// Showing things to the person outside Brindle: a folder in the file manager, a web page or
// settings page, their photo manager, an application by its desktop id.
//
// All return at once and never block on another program: a file manager that does not
// answer is given up on in the background and the folder is opened instead. Main thread.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace brindle {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Shows `path` selected in a file-manager window, else opens the folder itself.
    virtual void reveal(const QString& path) = 0;
    // False when no program took the URL.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens the person's photo manager (PhotoManager.h), else their Pictures folder.
    virtual void openPhotos() = 0;
    // Starts the first installed of the applications `desktopIds` ("org.gnome.DejaDup.desktop"),
    // detached; false when none is installed or it did not start.
    virtual bool launchApplication(const QStringList& desktopIds) = 0;
    // Whether any of the applications `desktopIds` is installed for this person.
    virtual bool hasApplication(const QStringList& desktopIds) const = 0;
};

// The desktop through D-Bus and the desktop's URL handlers. Needs a QGuiApplication.
std::unique_ptr<Desktop> makeDesktop();

} // namespace brindle
