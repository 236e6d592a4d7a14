// The peer of bench_command_line: a program that maps the libraries of Brindle's window (Qt
// Widgets, Gui, PrintSupport, Svg, DBus and Core) and does nothing else. One symbol of each is
// used, so the linker keeps every library.
#include <QApplication>
#include <QDBusConnection>
#include <QPrinterInfo>
#include <QSvgRenderer>

int main()
{
    volatile auto keep = {reinterpret_cast<const void*>(&QApplication::staticMetaObject),
                          reinterpret_cast<const void*>(&QSvgRenderer::staticMetaObject),
                          reinterpret_cast<const void*>(&QPrinterInfo::availablePrinterNames),
                          reinterpret_cast<const void*>(&QDBusConnection::sessionBus)};
    (void)keep;
    return 0;
}
