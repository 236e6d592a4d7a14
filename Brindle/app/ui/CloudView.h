// CloudView: the cloud drive's folder: which of its files are only online, which are here too,
// which wait to upload, and two ways to give the online-only ones a second copy.
#pragma once

#include <QScrollArea>

namespace brindle {

class AppModel;

class CloudView final : public QScrollArea {
    Q_OBJECT
public:
    explicit CloudView(AppModel& model, QWidget* parent = nullptr);

private:
    void rebuild();

    AppModel& model_;
};

} // namespace brindle
