#include "Brindle/app/ui/TrayIcon.h"

#include "Brindle/app/ui/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace brindle {

namespace {
// A rounded frame split down the middle: the mark when the file cannot be loaded.
void drawFallback(QPainter& painter, int size)
{
    painter.save();
    painter.scale(size / 22.0, size / 22.0);
    painter.setPen(QPen(Qt::black, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2.5, 4.5, 17, 13), 3, 3);
    painter.drawLine(QPointF(11, 4.5), QPointF(11, 17.5));
    painter.restore();
}
} // namespace

QImage trayImage(int size, const QString& badge, const QColor& ink, const QString& markPath)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer mark(markPath);
    if (mark.isValid()) {
        mark.render(&painter, QRectF(0, 0, size, size));
    } else {
        drawFallback(painter, size);
    }
    // Tint: the mark keeps its shape and takes the ink.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), ink);

    if (!badge.isEmpty()) {
        // Three characters ("99+") take a smaller type to stay within the icon.
        const qreal type = size * (badge.size() > 2 ? 0.34 : 0.42);
        QFont font = T::semibold(type);
        font.setPixelSize(qMax(6, qRound(type)));
        const QFontMetricsF metrics(font);
        const qreal height = size * 0.56;
        const qreal width = qMax(height, metrics.horizontalAdvance(badge) + size * 0.2);
        const QRectF pill(size - width, size - height, width, height);
        QPainterPath shape;
        shape.addRoundedRect(pill, height / 2, height / 2);
        // A clear edge around the badge keeps it apart from the mark.
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.strokePath(shape, QPen(Qt::transparent, size * 0.12));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(shape, T::colour(T::Colour::accent, false));
        painter.setPen(Qt::white);
        painter.setFont(font);
        painter.drawText(pill, Qt::AlignCenter, badge);
    }
    return image;
}

QIcon trayIcon(const QString& badge, const QColor& ink)
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 44, 64})
        icon.addPixmap(QPixmap::fromImage(trayImage(size, badge, ink)));
    return icon;
}

} // namespace brindle
