// JsonLines: an append-only file of one compact JSON record per line, for the history.
//
// Promises:
// - `append` writes only the new line at the end. If the file's last line lacks its line feed
//   (a write that was cut short), the new record starts on a fresh line, so neither is lost.
// - `all` returns every readable record in file order. Damaged lines (not JSON, a NUL byte, a
//   byte-order mark, longer than `maxLineBytes`, wrong types, a missing key) are skipped.
// - `prune` keeps the records its predicate keeps, dropping damaged lines for good, and
//   replaces the file atomically (temporary file, fsync, rename, fsync of the folder).
// - Within a process one lock orders every operation. Across processes (the window and a
//   command-line check) `append` and `prune` hold an exclusive advisory lock, and `all` a
//   shared one, on a separate lock file beside the data file ("<file>.lock"): a lock on the
//   data file itself would not survive the prune's rename. So no process's line is lost.
// - Nothing throws. `append` and `prune` report whether they wrote; callers may ignore it.
//
// Threads: every member may be called from any thread.
#pragma once

#include "BrindleCore/Json.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

// The lines of a record file worth decoding: empty lines, lines longer than `maxLineBytes`
// and lines that begin with a byte-order mark are dropped.
std::vector<std::string> recordLines(std::string_view content);

// The untyped file beneath JsonLines: lines of text in, lines of text out.
class LineFile {
public:
    static constexpr std::size_t maxLineBytes = 64 * 1024;
    static constexpr std::size_t maxFileBytes = 256u << 20;

    // Creates the folder that holds `path` (a failure shows later, on writing).
    explicit LineFile(std::string path);

    const std::string& path() const { return path_; }

    bool appendLine(const std::string& line);
    std::vector<std::string> lines() const;
    // Rewrites the file with the lines `keep` maps to text (nullopt drops a line).
    bool rewrite(const std::function<std::vector<std::string>(std::vector<std::string>)>& keep);

private:
    std::vector<std::string> readLines() const; // with the locks held
    std::string path_;
    mutable std::mutex lock_;
};

template <typename T> class JsonLines {
public:
    using Encode = std::function<JsonOut(const T&)>;
    using Decode = std::function<std::optional<T>(const JsonIn&)>;

    JsonLines(std::string path, Encode encode, Decode decode)
        : file_(std::move(path)), encode_(std::move(encode)), decode_(std::move(decode))
    {
    }

    const std::string& path() const { return file_.path(); }

    bool append(const T& record) { return file_.appendLine(dumpJson(encode_(record))); }

    std::vector<T> all() const { return decodeAll(file_.lines()); }

    // The records of a file's content, as `all` would read them.
    std::vector<T> decode(std::string_view content) const { return decodeAll(recordLines(content)); }

    bool prune(const std::function<bool(const T&)>& keep)
    {
        return file_.rewrite([&](std::vector<std::string> lines) {
            std::vector<std::string> kept;
            for (const T& record : decodeAll(lines))
                if (keep(record))
                    kept.push_back(dumpJson(encode_(record)));
            return kept;
        });
    }

private:
    std::vector<T> decodeAll(const std::vector<std::string>& lines) const
    {
        std::vector<T> records;
        for (const std::string& line : lines) {
            const JsonIn parsed = parseJson(line, LineFile::maxLineBytes);
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
