#include "Brindle/app/ui/Sidebar.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/model/SidebarModel.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

namespace brindle {

namespace {
class RowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        return {180, index.data(SidebarModel::HeaderRole).toBool() ? 34 : 30};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        using T::Colour;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRect box = option.rect.adjusted(8, 1, -8, -1);
        const QString label = index.data(Qt::DisplayRole).toString();
        if (index.data(SidebarModel::HeaderRole).toBool()) {
            painter->setFont(T::semibold(11));
            painter->setPen(T::colour(Colour::muted));
            painter->drawText(box.adjusted(8, 0, 0, -4), Qt::AlignLeft | Qt::AlignBottom, label);
            painter->restore();
            return;
        }
        if (option.state & QStyle::State_Selected) {
            QColor fill = T::colour(Colour::accent);
            fill.setAlphaF(T::dark() ? 0.26f : 0.13f);
            painter->setPen(Qt::NoPen);
            painter->setBrush(fill);
            painter->drawRoundedRect(box, 6, 6);
        }
        if (option.state & QStyle::State_HasFocus && option.state & QStyle::State_Selected) {
            QColor ring = T::colour(Colour::accent);
            ring.setAlphaF(0.5f);
            painter->setPen(QPen(ring, 1));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        }
        const QRect inner = box.adjusted(10, 0, -10, 0);
        const QString value = index.data(SidebarModel::ValueRole).toString();
        const bool needs = index.data(SidebarModel::NeedsRole).toBool();
        painter->setFont(needs ? T::semibold(13) : T::text(13));
        const int valueWidth = value.isEmpty() ? 0 : painter->fontMetrics().horizontalAdvance(value) + 10;
        painter->setPen(T::colour(needs ? Colour::accent : Colour::muted));
        painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, value);
        painter->setFont(T::text(13));
        painter->setPen(T::colour(Colour::text));
        const QString elided = painter->fontMetrics().elidedText(label, Qt::ElideMiddle, inner.width() - valueWidth);
        painter->drawText(inner.adjusted(0, 0, -valueWidth, 0), Qt::AlignLeft | Qt::AlignVCenter, elided);
        painter->restore();
    }
};
} // namespace

Sidebar::Sidebar(AppModel& model, QWidget* parent)
    : QTreeView(parent), model_(model), rows_(new SidebarModel(model, this))
{
    setModel(rows_);
    setItemDelegate(new RowDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(q(words::places()));
    setMinimumWidth(200);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    expandAll();

    connect(rows_, &QAbstractItemModel::modelReset, this, [this] {
        expandAll();
        showSelection();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (following_)
            return;
        if (auto section = SidebarModel::sectionAt(current))
            model_.view().setSelection(*section);
    });
    connect(&model_.view(), &ViewState::selectionChanged, this, &Sidebar::showSelection);
    showSelection();
}

QSize Sidebar::sizeHint() const
{
    const QFontMetrics text(T::text(13));
    const QFontMetrics value(T::semibold(13));
    int widest = 0;
    std::vector<QModelIndex> parents{QModelIndex()};
    while (!parents.empty()) {
        const QModelIndex parent = parents.back();
        parents.pop_back();
        for (int row = 0; row < rows_->rowCount(parent); ++row) {
            const QModelIndex index = rows_->index(row, 0, parent);
            parents.push_back(index);
            if (index.data(SidebarModel::HeaderRole).toBool())
                continue;
            const QString shown = index.data(SidebarModel::ValueRole).toString();
            widest = std::max(widest, text.horizontalAdvance(index.data(Qt::DisplayRole).toString()) +
                                          (shown.isEmpty() ? 0 : value.horizontalAdvance(shown) + 10));
        }
    }
    // The row's box and its text's margins (RowDelegate).
    return {widest + 2 * (8 + 10), QTreeView::sizeHint().height()};
}

void Sidebar::showSelection()
{
    const Section section = model_.view().selection().value_or(Section{Section::Kind::overview});
    const QModelIndex index = rows_->indexOf(section);
    following_ = true;
    if (index.isValid())
        setCurrentIndex(index);
    else
        clearSelection();
    following_ = false;
}

void Sidebar::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), T::colour(T::Colour::head));
    }
    QTreeView::paintEvent(event);
}

} // namespace brindle
