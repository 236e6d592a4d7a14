// Mark: a small round status symbol beside a finding or a row.
#pragma once

#include <QWidget>

namespace brindle {

class Mark final : public QWidget {
    Q_OBJECT
public:
    enum class Style { needsYou, iCloudOnly, twoCopies, check };

    explicit Mark(Style style, int size = 18, QWidget* parent = nullptr);
    Style style() const { return style_; }
    QSize sizeHint() const override { return {size_, size_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
    int size_;
};

} // namespace brindle
