// T: the window's named colours and fonts. Every colour has a light and a dark value; which
// one a colour resolves to follows the current appearance, which the application sets once at
// start and again whenever the desktop switches. Widgets read colours when they paint, or
// hand a label to `T::paint`, which keeps its palette in step with the appearance.
//
// Threads: main thread only. `T::changes()` emits `changed` on the main thread after the
// appearance switched and the application palette was replaced.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>

class QApplication;
class QWidget;

namespace brindle {

class ThemeChanges final : public QObject {
    Q_OBJECT
signals:
    void changed(bool dark);
};

namespace T {

enum class Colour { accent, onAccent, stripe, both, ground, card, head, text, text2, muted, hairline, track };

// The colour in the current appearance.
QColor colour(Colour colour);
// The colour in the given appearance.
QColor colour(Colour colour, bool dark);

bool dark();
// Switches the appearance and the application palette built from these colours; emits
// `changed` when it really switched.
void setDark(bool dark);
ThemeChanges& changes();

// The palette of the whole application in the current appearance.
QPalette palette();

// Registers every font among the application's resources. Whether all of them loaded.
bool registerFonts();
// Body text and titles; sizes in pixels.
QFont text(qreal size);
QFont semibold(qreal size);
QFont title(qreal size);

// Gives `widget` the text colour `colour` now and after every switch of appearance.
void paint(QWidget* widget, Colour colour);

} // namespace T
} // namespace brindle
