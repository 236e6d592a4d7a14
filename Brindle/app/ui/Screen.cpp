#include "Brindle/app/ui/Screen.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {

QLabel* label(const QString& text, const QFont& font, T::Colour colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    T::paint(label, colour);
    return label;
}

void replacePage(QScrollArea& area, QWidget* page)
{
    if (QWidget* old = area.takeWidget())
        old->deleteLater();
    area.setWidget(page);
}

void replacePage(QBoxLayout& layout, QWidget*& current, QWidget* page)
{
    if (current) {
        layout.removeWidget(current);
        current->hide();
        current->deleteLater();
    }
    layout.addWidget(page);
    page->show();
    current = page;
}

void paintFigures(QPainter& painter, const QRect& rect, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    qreal cell = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        cell = std::max(cell, metrics.horizontalAdvance(QChar(digit)));
    const auto advance = [&](QChar c) { return c.isDigit() ? cell : metrics.horizontalAdvance(c); };
    qreal width = 0;
    for (const QChar c : text)
        width += advance(c);
    qreal x = rect.right() - width;
    const qreal baseline = rect.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    for (const QChar c : text) {
        const qreal w = advance(c);
        painter.drawText(QPointF(x + (w - metrics.horizontalAdvance(c)) / 2, baseline), QString(c));
        x += w;
    }
}

ScreenPage::ScreenPage(QWidget* parent, int widest) : QWidget(parent)
{
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(36, 28, 36, 28);
    auto* inner = new QWidget(this);
    inner->setMaximumWidth(widest);
    column_ = new QVBoxLayout(inner);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(10);
    outer->addWidget(inner, 1);
    outer->addStretch(0);
}

void ScreenPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::ground));
}

Card::Card(QWidget* parent) : QWidget(parent)
{
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(18, 16, 18, 16);
}

void Card::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    painter.fillPath(shape, T::colour(T::Colour::card));
    painter.setPen(QPen(T::colour(T::Colour::hairline), 1));
    painter.drawPath(shape);
}

Hairline::Hairline(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Hairline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::hairline));
}

} // namespace brindle
