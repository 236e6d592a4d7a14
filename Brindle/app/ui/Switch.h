// Switch: an on/off control drawn as a rounded track with a sliding knob, the accent colour
// when on. A checkable button: clicking it, or pressing Space while it has focus, flips it and
// emits `toggled`; `setChecked` from code sets it without the person. Main thread.
#pragma once

#include <QAbstractButton>

namespace brindle {

class Switch final : public QAbstractButton {
    Q_OBJECT
public:
    explicit Switch(const QString& accessibleName, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {38, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindle
