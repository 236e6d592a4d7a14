#include "Brindle/app/model/SidebarModel.h"

#include "Brindle/app/model/AppModel.h"

namespace brindle {

namespace {
// Top-level rows carry this internal id; a child carries its group's row.
constexpr quintptr topLevel = ~quintptr{0};
} // namespace

SidebarModel::SidebarModel(AppModel& model, QObject* parent) : QAbstractItemModel(parent), model_(model)
{
    for (const auto signal : {&CheckLoop::resultChanged, &CheckLoop::historyChanged})
        connect(&model_.checks(), signal, this, &SidebarModel::refresh);
    for (const auto signal : {&Grants::drivesChanged, &Grants::foldersChanged})
        connect(&model_.grants(), signal, this, &SidebarModel::refresh);
    refresh();
}

void SidebarModel::refresh()
{
    const Calendar calendar = model_.calendar();
    auto groups = presentation::sidebar({.result = model_.checks().result(),
                                         .cloud = model_.iCloudTally(),
                                         .driveChosen = !model_.grants().drives().empty(),
                                         .historyEntries = model_.checks().history().size(),
                                         .now = model_.now(),
                                         .calendar = calendar});
    if (groups == groups_)
        return;
    beginResetModel();
    groups_ = std::move(groups);
    endResetModel();
}

QModelIndex SidebarModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < static_cast<int>(groups_.size()) ? createIndex(row, 0, topLevel) : QModelIndex();
    if (parent.internalId() != topLevel || groups_[parent.row()].title.empty())
        return {};
    return row < static_cast<int>(groups_[parent.row()].rows.size()) ? createIndex(row, 0, quintptr(parent.row()))
                                                                     : QModelIndex();
}

QModelIndex SidebarModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == topLevel)
        return {};
    return createIndex(static_cast<int>(child.internalId()), 0, topLevel);
}

int SidebarModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(groups_.size());
    if (parent.internalId() != topLevel || groups_[parent.row()].title.empty())
        return 0;
    return static_cast<int>(groups_[parent.row()].rows.size());
}

int SidebarModel::columnCount(const QModelIndex&) const { return 1; }

const presentation::SidebarRow* SidebarModel::rowAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    if (index.internalId() == topLevel) {
        const auto& group = groups_[index.row()];
        return group.title.empty() ? &group.rows.front() : nullptr;
    }
    return &groups_[index.internalId()].rows[index.row()];
}

QVariant SidebarModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const presentation::SidebarRow* row = rowAt(index);
    if (role == HeaderRole)
        return row == nullptr;
    if (row == nullptr)
        return role == Qt::DisplayRole || role == Qt::AccessibleTextRole
                   ? QVariant(QString::fromStdString(groups_[index.row()].title))
                   : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row->label);
    case Qt::AccessibleTextRole:
        return QString::fromStdString(row->value.empty() ? row->label : row->label + ", " + row->value);
    case ValueRole:
        return QString::fromStdString(row->value);
    case NeedsRole:
        return row->needs;
    case SectionRole:
        return QVariant::fromValue(row->section);
    default:
        return {};
    }
}

Qt::ItemFlags SidebarModel::flags(const QModelIndex& index) const
{
    return rowAt(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QModelIndex SidebarModel::indexOf(const Section& section) const
{
    for (int group = 0; group < static_cast<int>(groups_.size()); ++group) {
        const auto& rows = groups_[group].rows;
        for (int row = 0; row < static_cast<int>(rows.size()); ++row)
            if (rows[row].section == section)
                return groups_[group].title.empty() ? index(group, 0) : index(row, 0, index(group, 0));
    }
    return {};
}

std::optional<Section> SidebarModel::sectionAt(const QModelIndex& index)
{
    const QVariant value = index.data(SectionRole);
    return value.isValid() ? std::optional(value.value<Section>()) : std::nullopt;
}

} // namespace brindle
