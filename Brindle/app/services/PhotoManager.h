// Finding an installed application by its desktop ids, and the person's photo manager: the
// first installed of a list of desktop ids (for photos Shotwell, digiKam, gThumb, GNOME
// Photos, …), looked up as desktop entries in the XDG data folders, in the order of the list
// and then of the folders. Entries that are hidden, meant for no display, or have no Exec
// line do not count.
//
// Reads small files only; any thread.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace brindle {

struct DesktopApplication {
    QString desktopId;   // "org.gnome.Shotwell.desktop"
    QString entryPath;   // the desktop entry file
    QStringList command; // program and arguments, field codes removed

    friend bool operator==(const DesktopApplication&, const DesktopApplication&) = default;
};
using PhotoManager = DesktopApplication;

// $XDG_DATA_HOME (else ~/.local/share), then $XDG_DATA_DIRS (else /usr/local/share:/usr/share).
QStringList xdgDataFolders();

std::optional<DesktopApplication> findApplication(const QStringList& desktopIds,
                                                  const QStringList& dataFolders = xdgDataFolders());
std::optional<PhotoManager> findPhotoManager(const QStringList& dataFolders = xdgDataFolders());

// The program and arguments of a desktop entry's Exec value, with its quoting undone and its
// field codes (%f, %U, …) removed; empty when the value is malformed.
QStringList execCommand(const QString& exec);

} // namespace brindle
