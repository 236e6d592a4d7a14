#include "Brindle/cli/Terminal.h"

#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <unistd.h>

namespace brindle::cli {

namespace {
// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not valid.
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    std::uint32_t codePoint;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    const bool c1Control = codePoint >= 0x80 && codePoint < 0xA0;
    // Characters that turn the direction of the text around them.
    const bool directional = codePoint == 0x61C || codePoint == 0x200E || codePoint == 0x200F ||
                             (codePoint >= 0x202A && codePoint <= 0x202E) ||
                             (codePoint >= 0x2066 && codePoint <= 0x2069);
    if (overlong || surrogate || codePoint > 0x10FFFF || c1Control || directional)
        return 0;
    return length;
}
} // namespace

int usageError(const std::string& message)
{
    std::fprintf(stderr, "brindle: %s\n%s\n", message.c_str(),
                 translated("terminal: after a wrong command line", "Try \u2018brindle --help\u2019.").c_str());
    return usageStatus;
}

std::string printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceLength(text, i);
        if (length == 0) {
            out += "\uFFFD";
            ++i;
        } else if (length == 1 && (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F)) {
            out += '?';
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::size_t displayWidth(std::string_view printableText)
{
    std::size_t width = 0;
    for (const char c : printableText)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    return width;
}

std::string fitLeft(std::string_view printableText, std::size_t width)
{
    const std::size_t textWidth = displayWidth(printableText);
    if (textWidth <= width)
        return std::string(printableText) + std::string(width - textWidth, ' ');
    std::string out;
    std::size_t columns = 0;
    for (std::size_t i = 0; i < printableText.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(printableText[i]) & 0xC0) != 0x80;
        if (starts && ++columns == width)
            break;
        out += printableText[i];
    }
    return out + "\u2026";
}

std::string padRight(std::string_view printableText, std::size_t width)
{
    const std::size_t textWidth = displayWidth(printableText);
    return std::string(width > textWidth ? width - textWidth : 0, ' ') + std::string(printableText);
}

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

LiveCount::LiveCount() : terminal_(isTerminal(stderr)) {}

LiveCount::~LiveCount() { clear(); }

void LiveCount::filesSeen(std::int64_t files)
{
    if (!terminal_)
        return;
    const std::string reading =
        fill(translatedCounted("terminal: progress of a check", "Reading {n} file", "Reading {n} files", files),
             {{"n", Words::count(files)}});
    std::fprintf(stderr, "\r%s\x1b[K", reading.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void LiveCount::clear()
{
    if (!shown_)
        return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

} // namespace brindle::cli
