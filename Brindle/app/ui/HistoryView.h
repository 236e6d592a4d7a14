// HistoryView: the history screen. Without entries it says that history starts with the next
// check; with them, the headline comparing the newest count with the oldest, the caption, and
// one row per check, newest first: its date, its band (all bands share one scale), its count
// of files with no second copy and its last backup. The rows are painted by a delegate over
// HistoryListModel, so two years of daily checks scroll like a dozen.
//
// Main thread only; it follows the model's history.
#pragma once

#include <QWidget>

class QListView;

namespace brindle {

class AppModel;
class HistoryListModel;

class HistoryView final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryView(AppModel& model, QWidget* parent = nullptr);

    // The list of entries; hidden while the history is empty.
    QListView* list() const { return list_; }

private:
    void rebuild();

    AppModel& model_;
    HistoryListModel* rows_;
    QWidget* page_ = nullptr;
    QListView* list_ = nullptr;
};

} // namespace brindle
