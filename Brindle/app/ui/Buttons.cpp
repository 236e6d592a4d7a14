#include "Brindle/app/ui/Buttons.h"

#include "Brindle/app/ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace brindle {

StyledButton::StyledButton(Style style, const QString& title, QWidget* parent)
    : QPushButton(title, parent), style_(style)
{
    setFont(style == Style::plain ? T::text(13) : T::semibold(13));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAutoDefault(false);
}

QSize StyledButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 28, metrics.height() + 14};
}

void StyledButton::paintEvent(QPaintEvent*)
{
    using T::Colour;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 7, 7);

    QColor fill;
    QColor ink;
    switch (style_) {
    case Style::primary:
        fill = T::colour(Colour::accent);
        ink = T::colour(Colour::onAccent);
        break;
    case Style::plain:
        fill = T::colour(Colour::card);
        ink = T::colour(Colour::text);
        break;
    case Style::tinted:
        fill = T::colour(Colour::accent);
        fill.setAlphaF(T::dark() ? 0.22f : 0.12f);
        ink = T::colour(Colour::accent);
        break;
    }
    if (isDown())
        fill = fill.darker(112);
    painter.fillPath(shape, fill);
    if (style_ == Style::plain) {
        painter.setPen(QPen(T::colour(Colour::hairline), 1));
        painter.drawPath(shape);
    }
    if (hasFocus() && isEnabled()) {
        QColor ring = T::colour(Colour::accent);
        ring.setAlphaF(0.6f);
        painter.setPen(QPen(ring, 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(box, Qt::AlignCenter, text());
}

} // namespace brindle
