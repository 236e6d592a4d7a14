// HistoryListModel: the history screen's rows as a flat item model, newest first. It follows
// the application model and is rebuilt (a model reset) when the history changes. Views draw
// the rows themselves from RowRole, so a long history costs one painted row per visible line
// and no widget per entry.
//
// Roles: Qt::DisplayRole is the row's date, Qt::AccessibleTextRole the whole row spoken,
// RowRole a `const presentation::HistoryRow*` that stays valid until the next reset.
//
// Threads: main thread only, like the model it reads.
#pragma once

#include "Brindle/app/model/HistoryPresentation.h"

#include <QAbstractListModel>

namespace brindle {

class AppModel;

class HistoryListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { RowRole = Qt::UserRole + 1 };

    explicit HistoryListModel(AppModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The value every band is measured against.
    double scale() const { return scale_; }
    static const presentation::HistoryRow* rowAt(const QModelIndex& index);

    void refresh();

private:
    AppModel& model_;
    std::vector<presentation::HistoryRow> rows_;
    double scale_ = 1;
};

} // namespace brindle

Q_DECLARE_METATYPE(const brindle::presentation::HistoryRow*)
