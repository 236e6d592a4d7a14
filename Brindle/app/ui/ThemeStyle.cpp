#include "Brindle/app/ui/ThemeStyle.h"

#include "Brindle/app/ui/Theme.h"

#include <QStyleFactory>
#include <QStyleOptionSlider>

namespace brindle {

ThemeStyle::ThemeStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ThemeStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !slider) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionSlider steady = *slider;
    steady.palette = T::palette();
    QProxyStyle::drawComplexControl(control, &steady, painter, widget);
}

} // namespace brindle
