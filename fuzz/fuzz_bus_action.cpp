// Arbitrary calls of ActivateAction on the application's bus object, as any process on the
// session bus may make them: an action name and a parameter list of any shape (strings, lists,
// variants within variants, numbers, bytes, maps), decoded from the input. Never a crash; a
// "launch" action passes on only strings that were in the call, and they parse as launch
// arguments.
#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/app/services/ApplicationBus.h"

#include <QDBusVariant>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Reads values from the input: a tag byte, then what the tag says.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[at_++]; }
    QString text()
    {
        const std::size_t length = std::min<std::size_t>(byte(), size_ - at_);
        const QString value =
            QString::fromUtf8(reinterpret_cast<const char*>(data_ + at_), static_cast<qsizetype>(length));
        at_ += length;
        return value;
    }
    QVariant value(int depth)
    {
        switch (depth > 8 ? 0 : byte() % 7) {
        case 0:
            return text();
        case 1: {
            QStringList list;
            for (int n = byte() % 16; n > 0 && !empty(); --n)
                list << text();
            return list;
        }
        case 2:
            return QVariant::fromValue(QDBusVariant(value(depth + 1)));
        case 3:
            return static_cast<int>(byte()) - 128;
        case 4: {
            QVariantList list;
            for (int n = byte() % 8; n > 0 && !empty(); --n)
                list << value(depth + 1);
            return list;
        }
        case 5:
            return QByteArray(text().toUtf8());
        default: {
            QVariantMap map;
            for (int n = byte() % 4; n > 0 && !empty(); --n)
                map.insert(text(), value(depth + 1));
            return map;
        }
        }
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    static ApplicationBus bus(QDBusConnection(QStringLiteral("brindle-fuzz-no-bus")));
    Input input(data, size);
    const std::uint8_t which = input.byte();
    const QString name = which % 3 == 0   ? QStringLiteral("launch")
                         : which % 3 == 1 ? QStringLiteral("quit")
                                          : input.text();
    QVariantList parameter;
    for (int n = input.byte() % 4; n > 0 && !input.empty(); --n)
        parameter << input.value(0);

    std::optional<QStringList> passed;
    const auto connection = QObject::connect(&bus, &ApplicationBus::argumentsPassed,
                                             [&](const QStringList& arguments) { passed = arguments; });
    bus.ActivateAction(name, parameter, {});
    QObject::disconnect(connection);
    if (passed) {
        if (name != QStringLiteral("launch") || passed->size() > static_cast<qsizetype>(size))
            std::abort();
        std::vector<std::string> kept;
        for (const QString& argument : *passed)
            kept.push_back(argument.toStdString());
        const std::vector<std::string_view> arguments(kept.begin(), kept.end());
        (void)LaunchArguments::parse(arguments);
    }
    return 0;
}
