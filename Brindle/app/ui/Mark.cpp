#include "Brindle/app/ui/Mark.h"

#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace brindle {

Mark::Mark(Style style, int size, QWidget* parent) : QWidget(parent), style_(style), size_(size)
{
    setFixedSize(size, size);
    switch (style) {
    case Style::needsYou:
        setAccessibleName(q(words::needsYou()));
        break;
    case Style::iCloudOnly:
        setAccessibleName(q(words::onlyInTheCloud()));
        break;
    case Style::twoCopies:
        setAccessibleName(q(words::twoCopies()));
        break;
    case Style::check:
        setAccessibleName(q(words::fine()));
        break;
    }
}

void Mark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal s = box.width();
    using T::Colour;
    switch (style_) {
    case Style::needsYou: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(T::colour(Colour::accent));
        painter.drawEllipse(box);
        painter.setBrush(T::colour(Colour::onAccent));
        const qreal w = s * 0.13;
        painter.drawRoundedRect(QRectF(box.center().x() - w / 2, box.top() + s * 0.22, w, s * 0.36), w / 2, w / 2);
        painter.drawEllipse(QPointF(box.center().x(), box.top() + s * 0.74), w * 0.62, w * 0.62);
        break;
    }
    case Style::iCloudOnly: {
        painter.setPen(QPen(T::colour(Colour::accent), s * 0.1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(s * 0.05, s * 0.05, -s * 0.05, -s * 0.05));
        painter.setPen(Qt::NoPen);
        painter.setBrush(T::colour(Colour::accent));
        painter.drawEllipse(box.center(), s * 0.16, s * 0.16);
        break;
    }
    case Style::twoCopies: {
        painter.setPen(QPen(T::colour(Colour::both), s * 0.09));
        painter.setBrush(Qt::NoBrush);
        const qreal r = s * 0.3;
        painter.drawEllipse(QPointF(box.left() + s * 0.36, box.center().y()), r, r);
        painter.drawEllipse(QPointF(box.left() + s * 0.64, box.center().y()), r, r);
        break;
    }
    case Style::check: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(T::colour(Colour::track));
        painter.drawEllipse(box);
        QPainterPath tick;
        tick.moveTo(box.left() + s * 0.28, box.top() + s * 0.52);
        tick.lineTo(box.left() + s * 0.44, box.top() + s * 0.68);
        tick.lineTo(box.left() + s * 0.73, box.top() + s * 0.35);
        painter.setPen(QPen(T::colour(Colour::both), s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
        break;
    }
    }
}

} // namespace brindle
