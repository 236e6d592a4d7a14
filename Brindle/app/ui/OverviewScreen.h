// OverviewScreen: the answer to the question, the folders' coverage bands with their legend,
// the findings with their buttons, and the promise. It rebuilds itself from the model whenever
// the result or the checking state changes; the only state it keeps is the Scale choice.
#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace brindle {

class AppModel;

class OverviewScreen final : public QScrollArea {
    Q_OBJECT
public:
    explicit OverviewScreen(AppModel& model, QWidget* parent = nullptr);

private:
    void rebuild();
    QWidget* bands(QWidget* parent);
    QWidget* legend(QWidget* parent);
    QWidget* findings(QWidget* parent);

    AppModel& model_;
    bool byFiles_ = true;
};

} // namespace brindle
