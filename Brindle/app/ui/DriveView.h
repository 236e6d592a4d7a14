// DriveView: the backup drives: what each holds and when it last backed up, and beside them
// what the newest backup leaves without a second copy. Without a drive, how to choose one, and
// the record of a set-up that backs up over the network, which has no drive to choose.
#pragma once

#include "Brindle/app/model/PlaceTexts.h"
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
    // A card: a title, rows of a label and a value, and a muted footnote.
    QWidget* card(const std::string& name, const std::vector<placeTexts::DriveRow>& rows, const std::string& footnote,
                  QWidget* parent);
    QWidget* sidePanel(QWidget* parent);

    AppModel& model_;
};

} // namespace brindle
