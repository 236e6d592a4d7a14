// Plain-text reports for the terminal: what was read from a backup drive, and a check's
// result. Every line ends with "\n"; names are made printable.
#pragma once

#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Report.h"

#include <string>

namespace brindle::cli {

// How text may be dressed: bold and colour only on a terminal, and not when NO_COLOR is set.
struct TextStyle {
    bool color = false;
    std::size_t width = 80; // columns to wrap prose at

    static TextStyle forStdout();
};

std::string driveReport(const DriveState& state);

// A check told like a letter: the answer, the findings (those that need the person marked),
// then the table of folders and the backup drive.
std::string checkLetter(const CheckResult& result, const Report& report, const TextStyle& style);

// One line per backup tool set up on this computer: where it backs up to, its last backup,
// and the checked folders it leaves out; a line saying there is none when none was found;
// nothing when the result does not say.
std::string setupLines(const CheckResult& result);

// `text` wrapped at spaces to `width` columns. The first line is taken to start after
// `indent` (which the caller prints), and every following line starts with `indent`.
std::string wrapped(const std::string& text, std::size_t width, const std::string& indent);

} // namespace brindle::cli
