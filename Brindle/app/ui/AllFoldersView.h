// AllFoldersView: the folder list under one of three filters: a heading, a line, a sortable
// table of every folder with a total row, and a strip for the selected folder. Sorting and the
// selected row are the view's own; everything else comes from the model and follows each new
// result (the selected folder stays selected while the result still holds it). The table is as
// tall as its rows, so the screen scrolls rather than the table; when the filter leaves no
// folder, a line under the empty table says why.
#pragma once

#include "Brindle/app/model/PlaceTexts.h"

#include <QScrollArea>

class QLabel;
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
    void showTexts();
    void fitTable();
    void showStrip();

    AppModel& model_;
    placeTexts::Filter filter_;
    QLabel* heading_;
    QLabel* line_;
    QLabel* empty_;
    FolderTableModel* rows_;
    FolderSortProxy* sorted_;
    QTableView* table_;
    QWidget* strip_;
    QVBoxLayout* stripColumn_;
    QString selectedPath_;
};

} // namespace brindle
