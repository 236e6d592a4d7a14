// Sidebar: the list of places on the left of the main window. It shows a SidebarModel and
// keeps its current row and the model's selection in step both ways: choosing a row (by mouse
// or keyboard) sets `ViewState::selection`, and a selection set elsewhere moves the row.
#pragma once

#include <QTreeView>

namespace brindle {

class AppModel;
class SidebarModel;

class Sidebar final : public QTreeView {
    Q_OBJECT
public:
    explicit Sidebar(AppModel& model, QWidget* parent = nullptr);
    SidebarModel& rows() { return *rows_; }
    // As wide as its longest row's name and value need, so that names are elided only when the
    // window is too narrow for them.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showSelection();

    AppModel& model_;
    SidebarModel* rows_;
    bool following_ = false;
};

} // namespace brindle
