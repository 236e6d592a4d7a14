// The commands that answer from what earlier checks stored, without scanning anything:
// last-backup, no-second-copy and history.
#include "Brindle/cli/Commands.h"

#include "Brindle/cli/CheckRun.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Questions.h"
#include "BrindleCore/Store.h"
#include "BrindleCore/Words.h"

#include <cstdio>

namespace brindle::cli {

namespace {
// Parses a lone optional --json; false (after a message) for anything else.
bool jsonFlag(std::span<const std::string_view> args, bool& json)
{
    json = false;
    for (const std::string_view arg : args) {
        if (arg != "--json") {
            std::fprintf(stderr, "brindle: unexpected argument \u201c%s\u201d\nTry \u2018brindle --help\u2019.\n",
                         printable(arg).c_str());
            return false;
        }
        json = true;
    }
    return true;
}

std::string localDateTime(Instant instant, const Calendar& calendar)
{
    const LocalTime local = calendar.local(instant);
    const std::chrono::year_month_day date(local.day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), local.hour, local.minute);
    return text;
}

// Reads the kept result for a question into `stored` (absent when never checked). A file that
// exists but cannot be used is said on stderr (with --json, answered without a value) and
// gives false.
bool readStored(bool json, std::optional<CheckResult>& stored)
{
    Store::LastResult last = Store::readLast();
    stored = std::move(last.result);
    if (!last.damaged())
        return true;
    const std::string text = "The last check can\u2019t be read. Run \u201cbrindle check\u201d to check again.";
    std::fprintf(stderr, "brindle: the last check in %s cannot be read: %s\n", printable(Store::lastCheckURL()).c_str(),
                 last.problem.c_str());
    if (json)
        std::printf("%s\n", dumpJson(JsonOut{{"value", nullptr}, {"dialog", text}}).c_str());
    return false;
}
} // namespace

int runLastBackup(std::span<const std::string_view> args)
{
    bool json = false;
    if (!jsonFlag(args, json))
        return 2;
    std::optional<CheckResult> stored;
    if (!readStored(json, stored))
        return 1;
    const std::string text = Questions::lastBackup(stored, clockNow(), Calendar::current());
    if (json)
        std::printf("%s\n", dumpJson(JsonOut{{"value", text}, {"dialog", text}}).c_str());
    else
        std::printf("%s\n", printable(text).c_str());
    return 0;
}

int runNoSecondCopy(std::span<const std::string_view> args)
{
    bool json = false;
    if (!jsonFlag(args, json))
        return 2;
    std::optional<CheckResult> stored;
    if (!readStored(json, stored))
        return 1;
    const auto answer = Questions::noSecondCopy(stored, clockNow(), Calendar::current());
    if (json)
        std::printf("%s\n", dumpJson(JsonOut{{"value", answer.value}, {"dialog", answer.dialog}}).c_str());
    else
        std::printf("%s\n", printable(answer.dialog).c_str());
    return 0;
}

int runHistory(std::span<const std::string_view> args)
{
    bool json = false;
    if (!jsonFlag(args, json))
        return 2;
    std::string error;
    const auto read = openHistory(Store::historyURL()).read(&error);
    if (!read) {
        std::fprintf(stderr, "brindle: the history cannot be read: %s\n", printable(error).c_str());
        return 1;
    }
    const std::vector<CheckSummary>& lines = *read;
    if (json) {
        JsonOut array = JsonOut::array();
        for (const CheckSummary& line : lines)
            array.push_back(encode(line));
        std::printf("%s\n", dumpJson(array).c_str());
        return 0;
    }
    if (lines.empty()) {
        std::printf("No checks yet.\n");
        return 0;
    }
    const Calendar calendar = Calendar::current();
    std::printf("%-16s  %10s  %14s  %-16s\n", "Checked", "Files", "No second copy", "Last backup");
    for (const CheckSummary& line : lines)
        std::printf("%-16s  %10s  %14s  %-16s\n", localDateTime(line.at, calendar).c_str(),
                    Words::count(line.files).c_str(), Words::count(line.noSecondCopy).c_str(),
                    line.lastBackup ? localDateTime(*line.lastBackup, calendar).c_str() : "\u2013");
    return 0;
}

} // namespace brindle::cli
