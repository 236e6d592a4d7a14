// FolderView: one granted folder: how many of its files have no second copy, its band, its
// kinds, and the way to show it in the file manager.
#pragma once

#include <QScrollArea>

#include <string>

namespace brindle {

class AppModel;

class FolderView final : public QScrollArea {
    Q_OBJECT
public:
    FolderView(AppModel& model, std::string path, QWidget* parent = nullptr);

private:
    void rebuild();

    AppModel& model_;
    std::string path_;
};

} // namespace brindle
