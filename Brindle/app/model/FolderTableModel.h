// FolderTableModel: the folder list's table, one row per folder shown and a last "Total" row
// of every folder checked. The total stays when the filter leaves no folder; without a result,
// or with a result of no folders, there are no rows at all.
//
// Roles: Qt::DisplayRole is the cell's text; SortRole a value to order by (numbers for counts,
// the name for the first column); ToneRole how a count is drawn (Tone); PathRole the folder's
// path (empty on the total row); TotalRole whether the row is the total. Sort through a proxy
// on SortRole; the total row stays last in either order (`FolderSortProxy`).
//
// Threads: main thread only. It follows the model's result on its own.
#pragma once

#include "Brindle/app/model/PlaceTexts.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace brindle {

class AppModel;

class FolderTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { folder, files, size, onlyHere, sinceBackup, unchanged, both, onlyCloud, waiting, thisWeek, columns };
    enum Role { SortRole = Qt::UserRole + 1, ToneRole, PathRole, TotalRole };
    enum class Tone { normal, muted, accent };

    FolderTableModel(AppModel& model, placeTexts::Filter filter, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The total row cannot be chosen.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The tally of a row, the total for the last.
    const FolderTally& tally(int row) const;

private:
    void refresh();

    AppModel& model_;
    placeTexts::Filter filter_;
    std::vector<FolderTally> rows_;
    FolderTally total_;
    bool withTotal_ = false;
};

class FolderSortProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

} // namespace brindle
