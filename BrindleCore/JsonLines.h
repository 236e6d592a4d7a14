// JsonLines: an append-only file of one compact JSON record per line, for the history.
//
// Promises:
// - `append` writes only the new line at the end. If the file's last line lacks its line feed
//   (a write that was cut short), the new record starts on a fresh line, so neither is lost.
// - `all` returns every readable record in file order. Damaged lines (not JSON, a NUL byte, a
//   byte-order mark, longer than `limits::historyLineBytes`, wrong types, a missing key) are skipped.
// - `prune` keeps the records its predicate keeps, dropping damaged lines for good, and
//   replaces the file atomically (temporary file, fsync, rename, fsync of the folder).
// - An `append` that fails part-way (a full disk) cuts the file back to its old length, under
//   the lock, so it leaves no torn line.
// - Within a process one lock orders every operation. Across processes (the window and a
//   command-line check) `append` and `prune` hold an exclusive advisory lock, and `read` a
//   shared one, on a separate lock file beside the data file ("<file>.lock"): a lock on the
//   data file itself would not survive the prune's rename. So no process's line is lost.
//   A lock another process holds for longer than the lock wait (a hung process) is not
//   waited for further: the operation fails and says so.
// - Only writing creates anything: `append` and `prune` create the folder and the lock file
//   as needed; reading takes the lock only when the lock file exists, and a missing data file
//   reads as empty.
// - Nothing throws. `append`, `prune` and `read` report failure, with the reason (the system's
//   error text) in `errorText` when one is given; `all` gives what `read` gives, or nothing.
//
// Threads: every member may be called from any thread.
#pragma once

#include "BrindleCore/Json.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

// The lines of a record file worth decoding: empty lines, lines longer than `limits::historyLineBytes`
// and lines that begin with a byte-order mark are dropped.
std::vector<std::string> recordLines(std::string_view content);

// The untyped file beneath JsonLines: lines of text in, lines of text out.
class LineFile {
public:
    static constexpr std::chrono::milliseconds defaultLockWait{5000};

    // Touches nothing on disk.
    explicit LineFile(std::string path, std::chrono::milliseconds lockWait = defaultLockWait);

    const std::string& path() const { return path_; }

    bool appendLine(const std::string& line, std::string* errorText = nullptr);
    // Nullopt when the file exists but cannot be read, or another process holds the lock.
    std::optional<std::vector<std::string>> lines(std::string* errorText = nullptr) const;
    // Rewrites the file with the lines `keep` returns; a file that cannot be read is left alone.
    bool rewrite(const std::function<std::vector<std::string>(std::vector<std::string>)>& keep,
                 std::string* errorText = nullptr);

private:
    std::optional<std::vector<std::string>> readLines(std::string* errorText) const; // with the locks held
    std::string path_;
    std::chrono::milliseconds lockWait_;
    mutable std::mutex lock_;
};

template <typename T> class JsonLines {
public:
    using Encode = std::function<JsonOut(const T&)>;
    using Decode = std::function<std::optional<T>(const JsonIn&)>;

    JsonLines(std::string path, Encode encode, Decode decode,
              std::chrono::milliseconds lockWait = LineFile::defaultLockWait)
        : file_(std::move(path), lockWait), encode_(std::move(encode)), decode_(std::move(decode))
    {
    }

    const std::string& path() const { return file_.path(); }

    bool append(const T& record, std::string* errorText = nullptr)
    {
        return file_.appendLine(dumpJson(encode_(record)), errorText);
    }

    std::optional<std::vector<T>> read(std::string* errorText = nullptr) const
    {
        const auto lines = file_.lines(errorText);
        return lines ? std::optional(decodeAll(*lines)) : std::nullopt;
    }
    std::vector<T> all() const { return read().value_or(std::vector<T>{}); }

    // The records of a file's content, as `all` would read them.
    std::vector<T> decode(std::string_view content) const { return decodeAll(recordLines(content)); }

    bool prune(const std::function<bool(const T&)>& keep, std::string* errorText = nullptr)
    {
        return file_.rewrite(
            [&](std::vector<std::string> lines) {
                std::vector<std::string> kept;
                for (const T& record : decodeAll(lines))
                    if (keep(record))
                        kept.push_back(dumpJson(encode_(record)));
                return kept;
            },
            errorText);
    }

private:
    std::vector<T> decodeAll(const std::vector<std::string>& lines) const
    {
        std::vector<T> records;
        for (const std::string& line : lines) {
            const JsonIn parsed = parseJson(line, limits::historyLineBytes);
            if (parsed.is_discarded())
                continue;
            if (auto record = decode_(parsed))
                records.push_back(std::move(*record));
        }
        return records;
    }

    LineFile file_;
    Encode encode_;
    Decode decode_;
};

} // namespace brindle
