// DriveFormatsSheet: Brindle's own page on which file systems hold which backups, as a
// window-modal sheet over the main window, opened by "Which Drives Work". It states the rules
// the drive findings apply and changes nothing.
#pragma once

#include <QDialog>

namespace brindle {

class DriveFormatsSheet final : public QDialog {
    Q_OBJECT
public:
    explicit DriveFormatsSheet(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindle
