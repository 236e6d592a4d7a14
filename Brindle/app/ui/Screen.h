// The pieces every screen of the main window is built from: a page with the screen's margins
// and width, cards, hairlines and labels in the theme's fonts and colours. They follow the
// appearance on their own.
#pragma once

#include "Brindle/app/ui/Theme.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>

class QBoxLayout;
class QPainter;
class QVBoxLayout;

namespace brindle {

// A label in `font` and `colour`; plain text only, never rich text from data.
QLabel* label(const QString& text, const QFont& font, T::Colour colour, QWidget* parent);

// Draws `text` with every digit in a cell of one width, so that counts in a column line up
// whatever the typeface's own digits do. Right-aligned in `rect`, vertically centred.
void paintFigures(QPainter& painter, const QRect& rect, const QString& text);

// A rebuilt screen's page in place of the old one. The old page may hold the button whose
// click led here: it is hidden at once and deleted once the event loop is back.
void replacePage(QScrollArea& area, QWidget* page);
// The same for a page in a layout; `current` (may be null) becomes `page`.
void replacePage(QBoxLayout& layout, QWidget*& current, QWidget* page);

// A screen's content: one column with the screen's margins, at most `widest` wide.
class ScreenPage final : public QWidget {
    Q_OBJECT
public:
    explicit ScreenPage(QWidget* parent = nullptr, int widest = 880);
    QVBoxLayout* column() const { return column_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* column_;
};

// A rounded panel in the card colour with a hairline edge.
class Card final : public QWidget {
    Q_OBJECT
public:
    explicit Card(QWidget* parent = nullptr);
    QVBoxLayout* column() const { return column_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* column_;
};

// A one-pixel line in the hairline colour.
class Hairline final : public QWidget {
    Q_OBJECT
public:
    explicit Hairline(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindle
