// PhotosView: the place Brindle cannot count, and the way to look for oneself. Its button opens
// the Photos guide sheet (through the model's `showPhotos`).
#pragma once

#include <QScrollArea>

namespace brindle {

class AppModel;

class PhotosView final : public QScrollArea {
    Q_OBJECT
public:
    explicit PhotosView(AppModel& model, QWidget* parent = nullptr);
};

} // namespace brindle
