// The commands that answer from what earlier checks stored, without scanning anything:
// last-backup, no-second-copy and history.
#include "Brindle/cli/Commands.h"

#include "Brindle/cli/CheckRun.h"
#include "Brindle/cli/Terminal.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Questions.h"
#include "BrindleCore/Store.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace brindle::cli {

namespace {
// Parses a lone optional --json; false (after a message) for anything else.
bool jsonFlag(std::span<const std::string_view> args, bool& json)
{
    json = false;
    for (const std::string_view arg : args) {
        if (arg != "--json") {
            usageError(fill(translated("terminal: error", "unexpected argument \u201c{argument}\u201d"),
                            {{"argument", printable(arg)}}));
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
    const std::string text =
        translated("answer to a question about the last check",
                   "The last check can\u2019t be read. Run \u201cbrindle check\u201d to check again.");
    std::fprintf(stderr, "brindle: %s\n",
                 fill(translated("terminal: error", "the last check in {file} cannot be read: {reason}"),
                      {{"file", printable(Store::lastCheckURL())}, {"reason", last.problem}})
                     .c_str());
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
        std::fprintf(
            stderr, "brindle: %s\n",
            fill(translated("terminal: error", "the history cannot be read: {reason}"), {{"reason", printable(error)}})
                .c_str());
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
        std::printf("%s\n", translated("terminal: brindle history", "No checks yet.").c_str());
        return 0;
    }
    const Calendar calendar = Calendar::current();
    const std::array<std::string, 4> headings{
        translated("terminal: brindle history, column", "Checked"),
        translated("terminal: brindle history, column", "Files"),
        translated("terminal: brindle history, column", "No second copy"),
        translated("terminal: brindle history, column", "Last backup"),
    };
    // The columns are as wide as the English headings need, or a translation's; the rows are
    // printed as they always were.
    const std::array<int, 4> widths{-16, 10, 14, -16};
    std::array<int, 4> shown{};
    std::string headingLine;
    for (std::size_t c = 0; c < headings.size(); ++c) {
        const auto least = static_cast<std::size_t>(std::abs(widths[c]));
        const std::size_t width = std::max(least, displayWidth(headings[c]));
        shown[c] = static_cast<int>(width) * (widths[c] < 0 ? -1 : 1);
        headingLine +=
            (c == 0 ? "" : "  ") + (widths[c] < 0 ? fitLeft(headings[c], width) : padRight(headings[c], width));
    }
    std::printf("%s\n", headingLine.c_str());
    for (const CheckSummary& line : lines)
        std::printf("%*s  %*s  %*s  %*s\n", shown[0], localDateTime(line.at, calendar).c_str(), shown[1],
                    Words::count(line.files).c_str(), shown[2], Words::count(line.noSecondCopy).c_str(), shown[3],
                    line.lastBackup ? localDateTime(*line.lastBackup, calendar).c_str() : "\u2013");
    return 0;
}

} // namespace brindle::cli
