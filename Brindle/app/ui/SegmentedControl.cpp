#include "Brindle/app/ui/SegmentedControl.h"

#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace brindle {

SegmentedControl::SegmentedControl(QStringList choices, QWidget* parent) : QWidget(parent), choices_(std::move(choices))
{
    setFont(T::text(12));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(choices_.join(q(words::orBetweenChoices())));
}

void SegmentedControl::setCurrent(int index)
{
    if (index < 0 || index >= choices_.size() || index == current_)
        return;
    current_ = index;
    update();
    emit chosen(index);
}

QSize SegmentedControl::sizeHint() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& choice : choices_)
        widest = std::max(widest, metrics.horizontalAdvance(choice));
    return {static_cast<int>(choices_.size()) * (widest + 24) + 4, metrics.height() + 10};
}

QRectF SegmentedControl::choiceRect(int index) const
{
    const qreal each = (width() - 4.0) / static_cast<qreal>(std::max<qsizetype>(choices_.size(), 1));
    return {2 + index * each, 2, each, height() - 4.0};
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    using T::Colour;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath track;
    track.addRoundedRect(QRectF(rect()), 7, 7);
    painter.fillPath(track, T::colour(Colour::track));
    const QRectF chosen = choiceRect(current_);
    painter.setPen(hasFocus() ? QPen(T::colour(Colour::accent), 1.5) : QPen(T::colour(Colour::hairline), 1));
    painter.setBrush(T::colour(Colour::card));
    painter.drawRoundedRect(chosen.adjusted(0.5, 0.5, -0.5, -0.5), 5.5, 5.5);
    for (int i = 0; i < choices_.size(); ++i) {
        painter.setPen(T::colour(i == current_ ? Colour::text : Colour::text2));
        painter.drawText(choiceRect(i), Qt::AlignCenter, choices_[i]);
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < choices_.size(); ++i)
        if (choiceRect(i).contains(event->position()))
            setCurrent(i);
}

void SegmentedControl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left)
        setCurrent(current_ - 1);
    else if (event->key() == Qt::Key_Right)
        setCurrent(current_ + 1);
    else
        QWidget::keyPressEvent(event);
}

} // namespace brindle
