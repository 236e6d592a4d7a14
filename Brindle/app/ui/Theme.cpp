#include "Brindle/app/ui/Theme.h"

#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>
#include <QPalette>
#include <QPixmapCache>
#include <QWidget>

#include <array>
#include <utility>

namespace brindle::T {

namespace {
// Light, then dark, as 0xRRGGBB.
constexpr std::array<std::pair<QRgb, QRgb>, 12> table{{
    {0xA33C17, 0xEF8A62}, // accent
    {0xFFFFFF, 0x1C1C1E}, // onAccent
    {0xF1DDD3, 0x4A2E24}, // stripe
    {0x3A3A3C, 0xE5E5EA}, // both
    {0xFBFBFA, 0x1C1C1E}, // ground
    {0xFFFFFF, 0x2C2C2E}, // card
    {0xF2F2F5, 0x252527}, // head
    {0x1D1D1F, 0xF2F2F4}, // text
    {0x48484D, 0xC7C7CC}, // text2
    {0x6E6E73, 0xA1A1A6}, // muted
    {0xE3E3E8, 0x38383B}, // hairline
    {0xE8E8ED, 0x3A3A3E}, // track
}};

bool darkNow = false;

const QString family = QStringLiteral("Onest");
} // namespace

QColor colour(Colour colour, bool dark)
{
    const auto& [light, night] = table[static_cast<std::size_t>(colour)];
    return QColor::fromRgb(dark ? night : light);
}

QColor colour(Colour c) { return colour(c, darkNow); }

bool dark() { return darkNow; }

ThemeChanges& changes()
{
    static ThemeChanges instance;
    return instance;
}

namespace {
QPalette build(bool dark)
{
    QPalette palette;
    const auto set = [&palette, dark](QPalette::ColorRole role, Colour c) { palette.setColor(role, colour(c, dark)); };
    set(QPalette::Window, Colour::ground);
    set(QPalette::Base, Colour::card);
    set(QPalette::AlternateBase, Colour::head);
    set(QPalette::Button, Colour::head);
    set(QPalette::WindowText, Colour::text);
    set(QPalette::Text, Colour::text);
    set(QPalette::ButtonText, Colour::text);
    set(QPalette::ToolTipBase, Colour::card);
    set(QPalette::ToolTipText, Colour::text);
    set(QPalette::PlaceholderText, Colour::muted);
    set(QPalette::Highlight, Colour::accent);
    set(QPalette::HighlightedText, Colour::onAccent);
    set(QPalette::Link, Colour::accent);
    set(QPalette::Mid, Colour::hairline);
    set(QPalette::Midlight, Colour::track);
    set(QPalette::Dark, Colour::muted);
    set(QPalette::Light, Colour::card);
    set(QPalette::Shadow, Colour::both);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colour(Colour::muted, dark));
    palette.setColor(QPalette::Disabled, QPalette::Text, colour(Colour::muted, dark));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, colour(Colour::muted, dark));
    return palette;
}
} // namespace

QPalette palette()
{
    // The same two palettes every time: the style caches what it draws under a palette's
    // identity, and a new palette at every switch would leave a new set behind each time.
    static const QPalette light = build(false);
    static const QPalette night = build(true);
    return darkNow ? night : light;
}

void setDark(bool dark)
{
    const bool switched = dark != darkNow;
    darkNow = dark;
    if (qApp)
        QApplication::setPalette(palette());
    if (switched) {
        // Qt caches drawn icons and style parts under the application palette's identity,
        // which every switch renews: what is cached under the old one is never used again.
        QPixmapCache::clear();
        emit changes().changed(dark);
    }
}

bool registerFonts()
{
    bool all = true;
    QDirIterator fonts(QStringLiteral(":/fonts"), {QStringLiteral("*.ttf")});
    while (fonts.hasNext())
        all = QFontDatabase::addApplicationFont(fonts.next()) >= 0 && all;
    return all;
}

QFont text(qreal size)
{
    QFont font(family);
    font.setPixelSize(qRound(size));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont semibold(qreal size)
{
    QFont font = text(size);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont title(qreal size) { return semibold(size); }

void paint(QWidget* widget, Colour c)
{
    const auto apply = [widget, c] {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colour(c));
        palette.setColor(QPalette::Text, colour(c));
        widget->setPalette(palette);
    };
    apply();
    QObject::connect(&changes(), &ThemeChanges::changed, widget, apply);
}

} // namespace brindle::T
