// AllFoldersView: the folder list under one of three filters: a heading, a line, a sortable
// table of every folder with a total row, and a strip for the selected folder. Sorting and the
// selected row are the view's own; everything else comes from the model.
#pragma once

#include "Brindle/app/model/PlaceTexts.h"

#include <QScrollArea>

class QTableView;
class QVBoxLayout;

namespace brindle {

class AppModel;
class FolderSortProxy;
class FolderTableModel;

class AllFoldersView final : public QScrollArea {
    Q_OBJECT
public:
    AllFoldersView(AppModel& model, placeTexts::Filter filter, QWidget* parent = nullptr);
    QTableView* table() const { return table_; }

private:
    void showStrip();

    AppModel& model_;
    FolderTableModel* rows_;
    FolderSortProxy* sorted_;
    QTableView* table_;
    QWidget* strip_;
    QVBoxLayout* stripColumn_;
};

} // namespace brindle
