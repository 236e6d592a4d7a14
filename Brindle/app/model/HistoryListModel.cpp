#include "Brindle/app/model/HistoryListModel.h"

#include "Brindle/app/model/AppModel.h"
#include "BrindleCore/Translation.h"

namespace brindle {

HistoryListModel::HistoryListModel(AppModel& model, QObject* parent) : QAbstractListModel(parent), model_(model)
{
    connect(&model_.checks(), &CheckLoop::historyChanged, this, &HistoryListModel::refresh);
    refresh();
}

void HistoryListModel::refresh()
{
    beginResetModel();
    rows_ = presentation::historyRows(model_.checks().history(), model_.now(), model_.calendar());
    scale_ = presentation::historyScale(model_.checks().history());
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const presentation::HistoryRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row.date);
    case Qt::AccessibleTextRole:
        // TRANSLATORS: read out for a check: {date} is when it ran, {count} a number of files, {backup} "Backup 3 days
        // ago".
        return QString::fromStdString(
            fill(translated("history screen: a check, read out", "{date}: {count} with no second copy. {backup}."),
                 {{"date", row.date}, {"count", row.count}, {"backup", row.backup}}));
    case RowRole:
        return QVariant::fromValue(&row);
    default:
        return {};
    }
}

const presentation::HistoryRow* HistoryListModel::rowAt(const QModelIndex& index)
{
    return index.data(RowRole).value<const presentation::HistoryRow*>();
}

} // namespace brindle
