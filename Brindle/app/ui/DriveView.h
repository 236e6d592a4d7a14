// DriveView: the backup drives: what each holds and when it last backed up, and beside them
// what the newest backup leaves without a second copy. Without a drive, how to choose one.
#pragma once

#include "BrindleCore/DriveState.h"

#include <QScrollArea>

namespace brindle {

class AppModel;

class DriveView final : public QScrollArea {
    Q_OBJECT
public:
    explicit DriveView(AppModel& model, QWidget* parent = nullptr);

private:
    void rebuild();
    QWidget* driveCard(const DriveState& drive, QWidget* parent);
    QWidget* sidePanel(QWidget* parent);

    AppModel& model_;
};

} // namespace brindle
