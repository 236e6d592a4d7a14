// The window's style: Fusion, drawing scroll bars under the theme's own palette.
//
// Fusion caches what it draws under the identity of the palette it is given, and every switch
// of appearance gives each widget a new palette, so each switch would leave a new set of
// cache entries behind: Qt forgets the pictures but keeps their names. Drawn under the theme's
// two fixed palettes, the names repeat and nothing accumulates.
//
// Used from the main thread only, as every style is.
#pragma once

#include <QProxyStyle>

namespace brindle {

class ThemeStyle final : public QProxyStyle {
public:
    ThemeStyle();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

} // namespace brindle
