// The three button styles every screen uses: the primary action (filled with the accent), the
// plain one (quiet, with a hairline edge) and the tinted one (the accent, lightly). Each is a
// QPushButton drawn in the theme's colours; a disabled button dims. Keyboard focus draws a
// ring in the accent colour.
#pragma once

#include <QPushButton>

namespace brindle {

class StyledButton : public QPushButton {
    Q_OBJECT
public:
    enum class Style { primary, plain, tinted };

    StyledButton(Style style, const QString& title, QWidget* parent = nullptr);
    Style style() const { return style_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
};

class PrimaryButton final : public StyledButton {
    Q_OBJECT
public:
    explicit PrimaryButton(const QString& title, QWidget* parent = nullptr)
        : StyledButton(Style::primary, title, parent)
    {
    }
};

class PlainButton final : public StyledButton {
    Q_OBJECT
public:
    explicit PlainButton(const QString& title, QWidget* parent = nullptr) : StyledButton(Style::plain, title, parent) {}
};

class TintedButton final : public StyledButton {
    Q_OBJECT
public:
    explicit TintedButton(const QString& title, QWidget* parent = nullptr) : StyledButton(Style::tinted, title, parent)
    {
    }
};

} // namespace brindle
