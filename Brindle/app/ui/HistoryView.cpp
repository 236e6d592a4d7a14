#include "Brindle/app/ui/HistoryView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/HistoryListModel.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/CoverageBand.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace brindle {

namespace {
// The columns of a row, in pixels: the date, then the band taking what is left, the count and
// the backup.
constexpr int dateWidth = 150;
constexpr int countWidth = 72;
constexpr int backupWidth = 170;
constexpr int gap = 18;
constexpr int rowHeight = 38;
constexpr int bandHeight = 10;

class RowDelegate final : public QStyledItemDelegate {
public:
    RowDelegate(const HistoryListModel& rows, QObject* parent) : QStyledItemDelegate(parent), rows_(rows) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {dateWidth + countWidth + backupWidth + 4 * gap + 120, rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        using T::Colour;
        const presentation::HistoryRow* row = HistoryListModel::rowAt(index);
        if (!row)
            return;
        painter->save();
        const QRect box = option.rect;
        if (index.row() > 0)
            painter->fillRect(QRect(box.left(), box.top(), box.width(), 1), T::colour(Colour::hairline));

        QRect cell(box.left(), box.top(), dateWidth, box.height());
        painter->setFont(T::text(13));
        painter->setPen(T::colour(Colour::text));
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(q(row->date), Qt::ElideRight, cell.width()));

        const int backupLeft = box.right() - backupWidth + 1;
        const int countLeft = backupLeft - gap - countWidth;
        const int bandLeft = box.left() + dateWidth + gap;
        const int bandWidth = countLeft - gap - bandLeft;
        if (bandWidth > 0)
            paintBand(*painter, QRectF(bandLeft, box.top() + (box.height() - bandHeight) / 2.0, bandWidth, bandHeight),
                      row->tally, rows_.scale(), true);

        cell = QRect(countLeft, box.top(), countWidth, box.height());
        painter->setFont(row->accent ? T::semibold(13) : T::text(13));
        painter->setPen(T::colour(row->accent ? Colour::accent : Colour::muted));
        painter->drawText(cell, Qt::AlignRight | Qt::AlignVCenter, q(row->count));

        cell = QRect(backupLeft, box.top(), backupWidth, box.height());
        painter->setFont(T::text(12));
        painter->setPen(T::colour(Colour::muted));
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(q(row->backup), Qt::ElideRight, cell.width()));
        painter->restore();
    }

private:
    const HistoryListModel& rows_;
};
} // namespace

HistoryView::HistoryView(AppModel& model, QWidget* parent)
    : QWidget(parent), model_(model), rows_(new HistoryListModel(model, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setMinimumWidth(560);
    setAccessibleName(q(words::history()));
    connect(&model_.checks(), &CheckLoop::historyChanged, this, &HistoryView::rebuild);
    rebuild();
}

void HistoryView::rebuild()
{
    auto* page = new ScreenPage(this);
    QVBoxLayout* column = page->column();
    const auto& history = model_.checks().history();
    list_ = nullptr;

    if (history.empty()) {
        column->addWidget(label(q(presentation::historyEmptyTitle()), T::title(28), T::Colour::text, page));
        auto* text = label(q(presentation::historyEmptyText()), T::text(14), T::Colour::text2, page);
        text->setWordWrap(true);
        column->addWidget(text);
        column->addStretch(1);
    } else {
        const Calendar calendar = model_.calendar();
        auto* headline = label(q(presentation::historyHeadline(history, model_.now(), calendar)), T::title(28),
                               T::Colour::text, page);
        headline->setWordWrap(true);
        headline->setAccessibleName(headline->text());
        column->addWidget(headline);
        column->addWidget(label(q(presentation::historyCaption(history.size())), T::text(13), T::Colour::muted, page));
        column->addSpacing(8);

        auto* card = new Card(page);
        card->column()->setSpacing(8);
        list_ = new QListView(card);
        list_->setModel(rows_);
        list_->setItemDelegate(new RowDelegate(*rows_, list_));
        list_->setUniformItemSizes(true);
        list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setSelectionMode(QAbstractItemView::NoSelection);
        list_->setFocusPolicy(Qt::StrongFocus);
        list_->setFrameShape(QFrame::NoFrame);
        list_->setAccessibleName(q(words::checks()));
        list_->viewport()->setAutoFillBackground(false);
        card->column()->addWidget(list_, 1);
        card->column()->addWidget(new Hairline(card));
        auto* note = label(q(presentation::historyNumberNote()), T::text(12), T::Colour::muted, card);
        note->setAlignment(Qt::AlignRight);
        note->setContentsMargins(0, 0, backupWidth + gap, 0);
        card->column()->addWidget(note);
        column->addWidget(card, 1);
    }

    delete page_;
    page_ = page;
    layout()->addWidget(page_);
}

} // namespace brindle
