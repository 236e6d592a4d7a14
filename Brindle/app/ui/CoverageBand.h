// CoverageBand: one folder's files as a horizontal bar of coloured segments, in the order the
// tally gives them. A segment's width is its value over `scale`, so the largest folder fills
// the row and smaller ones stop short; the rest of the row is the empty track. The band's
// accessible name is its spoken summary.
#pragma once

#include "BrindleCore/FolderTally.h"

#include <QWidget>

class QPainter;

namespace brindle {

// The colour a segment is drawn in, in the current appearance.
QColor segmentColour(Segment segment);
// Fills `rect` with the hatching of files waiting to upload.
void paintStripes(QPainter& painter, const QRectF& rect);
// Fills `rect` as the segment `segment` is filled.
void paintSegment(QPainter& painter, const QRectF& rect, Segment segment);
// Draws `tally`'s band in `rect`: the rounded track, then the segments measured against
// `scale` (positive).
void paintBand(QPainter& painter, const QRectF& rect, const FolderTally& tally, double scale, bool byFiles);

class CoverageBand final : public QWidget {
    Q_OBJECT
public:
    CoverageBand(FolderTally tally, double scale, bool byFiles, int height = 10, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FolderTally tally_;
    double scale_;
    bool byFiles_;
    int height_;
};

} // namespace brindle
