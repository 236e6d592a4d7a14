// SegmentedControl: a row of mutually exclusive choices, one always chosen. Clicking a choice
// or pressing Left and Right changes it and emits `chosen` (main thread).
#pragma once

#include <QWidget>

namespace brindle {

class SegmentedControl final : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(QStringList choices, QWidget* parent = nullptr);

    int current() const { return current_; }
    void setCurrent(int index);
    QSize sizeHint() const override;

signals:
    void chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF choiceRect(int index) const;

    QStringList choices_;
    int current_ = 0;
};

} // namespace brindle
