#include "Brindle/app/ui/CoverageBand.h"

#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brindle {

QColor segmentColour(Segment segment)
{
    using T::Colour;
    switch (segment) {
    case Segment::noSecondCopy:
        return T::colour(Colour::accent);
    case Segment::unchangedSinceBackup:
    case Segment::twoCopies:
        return T::colour(Colour::both);
    case Segment::onlyICloud: {
        // Lighter than the accent, so it reads as "no copy here" beside "no second copy".
        QColor colour = T::colour(Colour::accent);
        colour.setAlphaF(0.5f);
        return colour;
    }
    case Segment::waiting:
        return T::colour(Colour::muted);
    }
    return T::colour(Colour::muted);
}

void paintStripes(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.fillRect(rect, T::colour(T::Colour::stripe));
    QPen pen(T::colour(T::Colour::muted), 1.5);
    painter.setPen(pen);
    constexpr qreal gap = 5;
    for (qreal x = rect.left() - rect.height(); x < rect.right(); x += gap)
        painter.drawLine(QPointF(x, rect.bottom()), QPointF(x + rect.height(), rect.top()));
    painter.restore();
}

void paintSegment(QPainter& painter, const QRectF& rect, Segment segment)
{
    if (segment == Segment::waiting)
        paintStripes(painter, rect);
    else
        painter.fillRect(rect, segmentColour(segment));
}

CoverageBand::CoverageBand(FolderTally tally, double scale, bool byFiles, int height, QWidget* parent)
    : QWidget(parent), tally_(std::move(tally)), scale_(scale > 0 ? scale : 1), byFiles_(byFiles), height_(height)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(QString::fromStdString(presentation::bandSummary(tally_)));
}

QSize CoverageBand::sizeHint() const { return {400, height_}; }
QSize CoverageBand::minimumSizeHint() const { return {60, height_}; }

void paintBand(QPainter& painter, const QRectF& rect, const FolderTally& tally, double scale, bool byFiles)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = rect.height() / 2;
    QPainterPath track;
    track.addRoundedRect(rect, radius, radius);
    painter.fillPath(track, T::colour(T::Colour::track));
    painter.setClipPath(track, Qt::IntersectClip);

    qreal x = rect.left();
    for (const auto& [segment, value] : tally.segments(byFiles)) {
        const qreal width = std::min(rect.width() * value / scale, rect.right() - x);
        if (width <= 0)
            break;
        paintSegment(painter, QRectF(x, rect.top(), width, rect.height()), segment);
        x += width;
    }
    painter.restore();
}

void CoverageBand::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBand(painter, QRectF(rect()), tally_, scale_, byFiles_);
}

} // namespace brindle
