// PhotosGuideSheet: three steps for looking at where one's photos live, as a window-modal sheet
// over the main window. It is shown while the model's `showPhotos` is set and clears it when it
// closes, however it closes.
#pragma once

#include <QDialog>

namespace brindle {

class AppModel;

class PhotosGuideSheet final : public QDialog {
    Q_OBJECT
public:
    PhotosGuideSheet(AppModel& model, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindle
