// The tray item's image: the application's tray mark (MenuBarIcon.svg among the resources, or
// a drawn mark when that cannot be loaded) in one ink colour, with the count of files with no
// second copy as a small badge in its corner when there is one. A tray shows no text beside
// its icon, so the badge carries the count. Main thread (QPainter on images).
#pragma once

#include <QIcon>
#include <QImage>

namespace brindle {

inline const QString trayMarkPath = QStringLiteral(":/icons/MenuBarIcon.svg");

// The mark at `size` pixels square, tinted `ink`; `badge` empty for the bare mark.
QImage trayImage(int size, const QString& badge, const QColor& ink, const QString& markPath = trayMarkPath);
// The image at the sizes trays ask for.
QIcon trayIcon(const QString& badge, const QColor& ink);

} // namespace brindle
