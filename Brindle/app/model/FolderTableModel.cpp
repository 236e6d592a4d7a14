#include "Brindle/app/model/FolderTableModel.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/CloudClient.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

namespace brindle {

namespace {
std::string title(int column)
{
    using C = FolderTableModel::Column;
    switch (column) {
    case C::folder:
        return translated("folder table: column", "Folder");
    case C::files:
        return translated("folder table: column", "Files");
    case C::size:
        return translated("folder table: column", "Size");
    case C::onlyHere:
        return translated("folder table: column", "Computer only");
    case C::sinceBackup:
        return translated("folder table: column", "Since backup");
    case C::unchanged:
        return translated("folder table: column", "Unchanged");
    case C::waiting:
        return translated("folder table: column", "Waiting");
    case C::thisWeek:
        return translated("folder table: column", "This week");
    case C::both:      // named by the sync client
    case C::onlyCloud: // named by the sync client
    case C::columns:
        break;
    }
    return {};
}

// The figure a column counts; absent for the name and the size.
std::optional<std::int64_t> figure(const FolderTally& tally, int column)
{
    using C = FolderTableModel::Column;
    switch (column) {
    case C::files:
        return tally.files;
    case C::onlyHere:
        return tally.count(Place::onlyHere);
    case C::sinceBackup:
        return tally.changedOnlyHere();
    case C::unchanged:
        return tally.unchangedOnlyHere();
    case C::both:
        return tally.count(Place::both);
    case C::onlyCloud:
        return tally.count(Place::onlyICloud);
    case C::waiting:
        return tally.count(Place::waiting);
    case C::thisWeek:
        return tally.changedThisWeek;
    default:
        return std::nullopt;
    }
}

// The columns of files with no second copy.
bool countsMissingCopies(int column)
{
    return column == FolderTableModel::onlyHere || column == FolderTableModel::sinceBackup ||
           column == FolderTableModel::onlyCloud;
}
} // namespace

FolderTableModel::FolderTableModel(AppModel& model, placeTexts::Filter filter, QObject* parent)
    : QAbstractTableModel(parent), model_(model), filter_(filter)
{
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &FolderTableModel::refresh);
    refresh();
}

void FolderTableModel::refresh()
{
    beginResetModel();
    rows_ = placeTexts::foldersShown(model_.checks().result(), filter_);
    const auto& result = model_.checks().result();
    total_ = result ? result->total() : FolderTally{};
    total_.name = translated("folder table: the total row", "Total");
    withTotal_ = result && !result->folders.empty();
    endResetModel();
}

int FolderTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !withTotal_ ? 0 : static_cast<int>(rows_.size()) + 1;
}

int FolderTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Column::columns; }

const FolderTally& FolderTableModel::tally(int row) const
{
    return row < static_cast<int>(rows_.size()) ? rows_[row] : total_;
}

QVariant FolderTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const FolderTally& tally = this->tally(index.row());
    const bool isTotal = index.row() == static_cast<int>(rows_.size());
    const int column = index.column();
    const auto number = figure(tally, column);
    // The total row shows only its files and bytes.
    const bool shown = !isTotal || column == Column::folder || column == Column::files || column == Column::size;
    switch (role) {
    case Qt::DisplayRole:
        if (!shown)
            return {};
        if (column == Column::folder)
            return QString::fromStdString(tally.name);
        if (column == Column::size)
            return QString::fromStdString(Words::size(tally.bytes));
        return QString::fromStdString(Words::count(*number));
    case Qt::TextAlignmentRole:
        return column == Column::folder ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                        : int(Qt::AlignRight | Qt::AlignVCenter);
    case SortRole:
        if (column == Column::folder)
            return QString::fromStdString(tally.name);
        return QVariant::fromValue<qlonglong>(column == Column::size ? tally.bytes : *number);
    case ToneRole:
        if (!number || !shown)
            return QVariant::fromValue(int(Tone::normal));
        if (*number == 0)
            return QVariant::fromValue(int(Tone::muted));
        return QVariant::fromValue(int(countsMissingCopies(column) ? Tone::accent : Tone::normal));
    case PathRole:
        return isTotal ? QString() : QString::fromStdString(tally.path);
    case TotalRole:
        return isTotal;
    default:
        return {};
    }
}

Qt::ItemFlags FolderTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return index.row() == static_cast<int>(rows_.size()) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant FolderTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Column::columns)
        return {};
    if (role == Qt::DisplayRole && (section == Column::both || section == Column::onlyCloud)) {
        // The cloud's columns name the sync client: "Computer + Nextcloud", "Nextcloud only".
        const auto client = presentation::cloudClient(model_.checks().result());
        const std::string cloud = client.kind == presentation::CloudClient::Kind::none
                                      ? translated("folder table: the cloud without a sync client's name", "Cloud")
                                      : client.name;
        // TRANSLATORS: {client} is the sync client's name (Nextcloud…), or "Cloud" without one.
        return QString::fromStdString(fill(section == Column::both
                                               ? translated("folder table: column", "Computer + {client}")
                                               : translated("folder table: column", "{client} only"),
                                           {{"client", cloud}}));
    }
    if (role == Qt::DisplayRole)
        return QString::fromStdString(title(section));
    if (role == Qt::TextAlignmentRole)
        return section == Column::folder ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                         : int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool FolderSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const bool leftTotal = left.data(FolderTableModel::TotalRole).toBool();
    const bool rightTotal = right.data(FolderTableModel::TotalRole).toBool();
    if (leftTotal || rightTotal) // the total is the largest going up and the smallest going down
        return sortOrder() == Qt::AscendingOrder ? rightTotal && !leftTotal : leftTotal && !rightTotal;
    return QSortFilterProxyModel::lessThan(left, right);
}

} // namespace brindle
