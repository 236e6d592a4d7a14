#include "Brindle/app/ReportCommand.h"

#include "Brindle/app/model/LetterPresentation.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/ComputerName.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "Brindle/app/services/SettingsStore.h"
#include "Brindle/app/ui/ReportLetter.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Report.h"
#include "BrindleCore/Store.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <string>

namespace brindle {

namespace {
// The result to report on, or the exit status when there is none.
struct Source {
    std::optional<CheckResult> result;
    std::optional<Instant> waitingSince;
    int status = 0;
};

Source failed() { return {std::nullopt, std::nullopt, 1}; }

Source keptResult()
{
    const std::string path = Store::lastCheckURL();
    Store::LastResult last = Store::readLast(path);
    if (last.damaged()) {
        std::fprintf(stderr, "brindle: the last check in %s cannot be read: %s\n", cli::printable(path).c_str(),
                     last.problem.c_str());
        return failed();
    }
    if (!last.result) {
        std::fputs("brindle: there is no kept check to report on yet. Run \u201cbrindle check\u201d first.\n", stderr);
        return failed();
    }
    const auto settings = makeSettingsFile();
    return {std::move(last.result), Stored::date(*settings, settingKeys::waitingSince), 0};
}

bool writeOut(const std::string& path, const QByteArray& pdf)
{
    if (path == "-")
        return std::fwrite(pdf.constData(), 1, static_cast<std::size_t>(pdf.size()), stdout) ==
               static_cast<std::size_t>(pdf.size());
    std::string error;
    if (writeFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), &error))
        return true;
    std::fprintf(stderr, "brindle: the report could not be written to %s: %s\n", cli::printable(path).c_str(),
                 error.c_str());
    return false;
}
} // namespace

int runReportCommand(std::span<const std::string_view> args)
{
    std::optional<std::string> output;
    Demo::Choice demo = Demo::Choice::none;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf") {
            if (i + 1 >= args.size())
                return cli::usageError("--pdf needs a file to write, or - for standard output");
            output = std::string(args[++i]);
        } else if (args[i] == "--demo" || args[i] == "--demo-drive") {
            demo = args[i] == "--demo" ? Demo::Choice::noBackup : Demo::Choice::withDrive;
        } else {
            return cli::usageError("unexpected argument \u201c" + cli::printable(args[i]) + "\u201d");
        }
    }
    if (!output)
        return cli::usageError("report needs --pdf FILE (or --pdf - for standard output)");
    if (output->empty())
        return cli::usageError("--pdf needs a file to write, or - for standard output");

    Source source = demo == Demo::Choice::none ? keptResult() : Source{Demo::result(demo), std::nullopt, 0};
    if (!source.result)
        return source.status;

    // Qt's notes about the session (no runtime folder, no display) are not the person's concern.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "brindle: %s\n", qPrintable(message));
    });
    // The letter is drawn off screen: no display is needed, whatever the environment names.
    static char name[] = "brindle";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    int argc = 3;
    QGuiApplication app(argc, argv);
    if (!T::registerFonts())
        std::fputs("brindle: some of the report's fonts did not load\n", stderr);

    const Calendar calendar = Calendar::current();
    const Report report(*source.result, Guide::shared(), source.waitingSince, calendar);
    const presentation::Letter letter =
        presentation::letter(*source.result, report, Guide::shared(), ComputerName::read(), clockNow(), calendar);
    const QByteArray pdf = ReportLetter::pdf(letter);
    if (pdf.isEmpty()) {
        std::fputs("brindle: the report could not be drawn\n", stderr);
        return 1;
    }
    return writeOut(*output, pdf) ? 0 : 1;
}

} // namespace brindle
