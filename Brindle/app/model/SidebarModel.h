// SidebarModel: the sidebar's rows as an item model of two levels. Top-level rows are the
// "Overview" row and the group headers; a header's children are its rows. It follows the
// application model and is rebuilt (a model reset) whenever a value it shows changes, so views
// restore their current row from `ViewState::selection` after `modelReset`.
//
// Roles: Qt::DisplayRole is the label, ValueRole the value text, NeedsRole whether the value is
// drawn in the accent colour, SectionRole the row's Section as a raw value (absent on headers),
// HeaderRole whether the row is a group header. Headers are neither selectable nor enabled.
//
// Threads: main thread only, like the model it reads.
#pragma once

#include "Brindle/app/model/Presentation.h"

#include <QAbstractItemModel>

namespace brindle {

class AppModel;

class SidebarModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role { ValueRole = Qt::UserRole + 1, NeedsRole, SectionRole, HeaderRole };

    explicit SidebarModel(AppModel& model, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of `section`; invalid when no row shows it.
    QModelIndex indexOf(const Section& section) const;
    static std::optional<Section> sectionAt(const QModelIndex& index);

    // Re-reads the model; a reset only when a row changed.
    void refresh();

private:
    const presentation::SidebarRow* rowAt(const QModelIndex& index) const;

    AppModel& model_;
    std::vector<presentation::SidebarGroup> groups_;
};

} // namespace brindle

Q_DECLARE_METATYPE(brindle::Section)
