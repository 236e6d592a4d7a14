#include "BrindleCore/Store.h"

#include "BrindleCore/FileIO.h"

namespace brindle {

std::string Store::historyURL() { return folder() + "/history.jsonl"; }
std::string Store::lastCheckURL() { return folder() + "/last-check.json"; }

bool Store::saveLast(const CheckResult& result, std::string* errorText) { return saveLast(result, lastCheckURL(), errorText); }

bool Store::saveLast(const CheckResult& result, const std::string& path, std::string* errorText)
{
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0)
        makeFolders(path.substr(0, slash)); // a failure shows in the write below
    return writeFileAtomically(path, encodeCheckResultText(result), errorText);
}

std::optional<CheckResult> Store::loadLast() { return loadLast(lastCheckURL()); }

std::optional<CheckResult> Store::loadLast(const std::string& path)
{
    const ReadResult read = readRegularFile(path, maxLastCheckBytes);
    return read.content ? decodeCheckResultText(*read.content) : std::nullopt;
}

} // namespace brindle
