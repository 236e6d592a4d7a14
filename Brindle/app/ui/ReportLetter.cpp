#include "Brindle/app/ui/ReportLetter.h"

#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <memory>

namespace brindle::ReportLetter {

namespace {
using presentation::Letter;
using T::Colour;

QColor ink(Colour colour) { return T::colour(colour, false); }

QTextCharFormat characters(qreal points, bool bold, Colour colour)
{
    QFont font(T::text(12).family());
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::DemiBold : QFont::Normal);
    // Shaped text may draw alternate glyphs that the PDF's text layer cannot map back to
    // letters, which would leave them out of copied and extracted text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(ink(colour));
    return format;
}

// A paragraph with room above and below, in pixels at 96 per inch (the layout scales them to
// the device).
QTextBlockFormat paragraph(qreal above, qreal below, Qt::Alignment alignment = Qt::AlignLeft)
{
    QTextBlockFormat format;
    format.setTopMargin(above);
    format.setBottomMargin(below);
    format.setAlignment(alignment);
    return format;
}

void addTable(QTextCursor& cursor, const presentation::LetterTable& grid)
{
    const int columns = static_cast<int>(grid.header.size());
    const int rows = static_cast<int>(grid.rows.size()) + 1;
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setHeaderRowCount(1);
    format.setTopMargin(4);
    format.setBottomMargin(6);
    QList<QTextLength> widths{QTextLength(QTextLength::PercentageLength, 22)};
    for (int column = 1; column < columns; ++column)
        widths << QTextLength(QTextLength::PercentageLength, 78.0 / (columns - 1));
    format.setColumnWidthConstraints(widths);
    QTextTable* table = cursor.insertTable(rows, columns, format);

    const auto fill = [&](int row, int column, const std::string& text, const QTextCharFormat& chars, bool head) {
        QTextTableCell cell = table->cellAt(row, column);
        QTextTableCellFormat look = cell.format().toTableCellFormat();
        look.setBottomBorder(head || row == rows - 2 ? 1 : 0.5);
        look.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        look.setBottomBorderBrush(ink(head ? Colour::muted : Colour::hairline));
        look.setTopBorder(0);
        look.setLeftBorder(0);
        look.setRightBorder(0);
        if (head) {
            look.setBackground(ink(Colour::head));
            look.setVerticalAlignment(QTextCharFormat::AlignBottom);
        }
        cell.setFormat(look);
        QTextCursor inside = cell.firstCursorPosition();
        inside.setBlockFormat(paragraph(0, 0, column == 0 ? Qt::AlignLeft : Qt::AlignRight));
        inside.insertText(q(text), chars);
    };
    for (int column = 0; column < columns; ++column)
        fill(0, column, grid.header[static_cast<std::size_t>(column)], characters(7.5, true, Colour::text2), true);
    for (int row = 1; row < rows; ++row) {
        const auto& cells = grid.rows[static_cast<std::size_t>(row - 1)];
        const bool total = row == rows - 1;
        for (int column = 0; column < columns && column < static_cast<int>(cells.size()); ++column)
            fill(row, column, cells[static_cast<std::size_t>(column)],
                 characters(8.5, total, column == 0 || total ? Colour::text : Colour::text2), false);
    }
    cursor.movePosition(QTextCursor::End);
}

// The letter as a document, laid out for `device` only once it is whole: a table laid out
// while it is filled would be laid out again for every cell.
std::unique_ptr<QTextDocument> compose(const Letter& letter, QPaintDevice& device, qreal width)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();

    cursor.setBlockFormat(paragraph(0, 2));
    cursor.insertText(q(letter.title), characters(20, true, Colour::text));
    cursor.insertBlock(paragraph(0, 12));
    cursor.insertText(q(letter.checked), characters(9.5, false, Colour::muted));
    cursor.insertBlock(paragraph(0, 10));
    cursor.insertText(q(letter.answer), characters(13, false, Colour::text));
    cursor.insertBlock(paragraph(0, 0));
    addTable(cursor, letter.table);

    const auto heading = [&cursor](const std::string& text) {
        cursor.insertBlock(paragraph(14, 4));
        cursor.insertText(q(text), characters(11.5, true, Colour::accent));
    };
    if (!letter.needsYou.empty()) {
        heading(letter.needsYouHeading);
        for (const auto& finding : letter.needsYou) {
            cursor.insertBlock(paragraph(5, 0));
            cursor.insertText(q(finding.title), characters(10, true, Colour::text));
            cursor.insertBlock(paragraph(1, 0));
            cursor.insertText(q(finding.line), characters(9.5, false, Colour::text2));
        }
    }
    heading(letter.backupsHeading);
    for (const std::string& line : letter.backups) {
        cursor.insertBlock(paragraph(3, 0));
        cursor.insertText(q(line), characters(9.5, false, Colour::text2));
    }

    QTextBlockFormat divider = paragraph(16, 6);
    divider.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                        QTextLength(QTextLength::PercentageLength, 100));
    cursor.insertBlock(divider);
    cursor.insertBlock(paragraph(0, 0));
    cursor.insertText(q(letter.promise), characters(9, false, Colour::muted));
    cursor.endEditBlock();
    document->documentLayout()->setPaintDevice(&device);
    document->setTextWidth(width);
    return document;
}
} // namespace

bool print(const Letter& letter, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the top left of the printable area.
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    qreal scale = 1;
    const std::unique_ptr<QTextDocument> document = compose(letter, device, page.width());
    // Wider lines make the letter shorter, so a few rounds settle on a size that fits, but
    // never one too small to read: past it the page ends the letter.
    constexpr qreal smallestScale = 0.75;
    for (int round = 0; round < 4 && scale > smallestScale && document->size().height() * scale > page.height();
         ++round) {
        scale = std::max(smallestScale, scale * page.height() / (document->size().height() * scale));
        document->setTextWidth(page.width() / scale);
    }
    painter.scale(scale, scale);
    document->drawContents(&painter, QRectF(QPointF(0, 0), page / scale));
    return painter.end();
}

QByteArray pdf(const Letter& letter)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(q(presentation::letterTitle()));
        writer.setCreator(q(words::brindle()));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
        writer.setResolution(600);
        if (!print(letter, writer))
            return {};
    }
    buffer.close();
    return bytes;
}

} // namespace brindle::ReportLetter
