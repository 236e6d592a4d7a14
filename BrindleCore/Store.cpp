#include "BrindleCore/Store.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Translation.h"

namespace brindle {

std::string Store::historyURL() { return folder() + "/history.jsonl"; }
std::string Store::lastCheckURL() { return folder() + "/last-check.json"; }

bool Store::saveLast(const CheckResult& result, std::string* errorText)
{
    return saveLast(result, lastCheckURL(), errorText);
}

bool Store::saveLast(const CheckResult& result, const std::string& path, std::string* errorText)
{
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0)
        makeFolders(path.substr(0, slash)); // a failure shows in the write below
    return writeFileAtomically(path, encodeCheckResultText(result), errorText);
}

Store::LastResult Store::readLast() { return readLast(lastCheckURL()); }

Store::LastResult Store::readLast(const std::string& path)
{
    const ReadResult read = readRegularFile(path, limits::lastCheckBytes);
    if (!read.content) {
        switch (read.error) {
        case ReadError::missing:
            return {};
        case ReadError::tooLarge:
            return {std::nullopt, fill(translated("file error: why the last check cannot be read",
                                                  "it is larger than {megabytes} MB"),
                                       {{"megabytes", std::to_string(limits::lastCheckBytes >> 20)}})};
        case ReadError::unreadable:
            break;
        }
        return {std::nullopt, translated("file error: why the last check cannot be read",
                                         "it cannot be opened, or is not a regular file")};
    }
    auto result = decodeCheckResultText(*read.content);
    if (!result)
        return {std::nullopt, translated("file error: why the last check cannot be read",
                                         "it is damaged: it does not hold a check result")};
    return {std::move(result), {}};
}

std::optional<CheckResult> Store::loadLast() { return readLast().result; }
std::optional<CheckResult> Store::loadLast(const std::string& path) { return readLast(path).result; }

} // namespace brindle
