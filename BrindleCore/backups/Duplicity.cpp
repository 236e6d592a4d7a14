// Déjà Dup and duplicity: a folder of duplicity-full.<T>.manifest[.gpg] and
// duplicity-inc.<T1>.to.<T2>.manifest[.gpg] files, T as %Y%m%dT%H%M%SZ (UTC), or the short
// forms df.<t>.m and di.<t1>.<t2>.m with base-36 Unix times. A manifest is written when its run
// has finished; ".part" (".p" when short) marks one that has not. Newer Déjà Dup keeps a restic
// repository in <folder>/restic. Déjà Dup writes both forms, but so do duplicity and restic on
// their own: the backups carry the names "duplicity" and "restic", and only Déjà Dup's settings
// pointing at the drive make them Déjà Dup's (Check::run).
#include "BrindleCore/backups/Formats.h"
#include "BrindleCore/backups/Layouts.h"

#include <algorithm>

namespace brindle {

namespace {
constexpr const char* toolName = "duplicity";

std::optional<Instant> longTime(std::string_view text)
{
    if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z')
        return std::nullopt;
    const auto time = civilTimeAt(text, {0, 4, 6, 9, 11, 13});
    return time ? std::optional<Instant>(*time) : std::nullopt;
}

std::optional<Instant> base36Time(std::string_view text)
{
    if (text.empty() || text.size() > 8) // 8 digits reach far beyond year 9999
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'z')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 36 + digit;
    }
    return unixTime(static_cast<double>(value));
}

bool consume(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

struct Suffix {
    bool partial = false;
    bool encrypted = false;
};

// What follows the manifest marker: nothing, or an encryption or compression suffix, after an
// optional partial marker. duplicity names what GnuPG encrypted ".gpg" (".g" in the short
// form) and what it only compressed ".gz" (".z"); a plain file has no suffix.
std::optional<Suffix> suffix(std::string_view rest, std::string_view partialMark, bool shortForm)
{
    const bool partial = consume(rest, partialMark);
    if (rest == ".gpg" || (shortForm && rest == ".g"))
        return Suffix{partial, true};
    if (rest.empty() || rest == ".gz" || (shortForm && rest == ".z"))
        return Suffix{partial, false};
    return std::nullopt;
}
} // namespace

std::optional<BackupFormats::DuplicityManifest> BackupFormats::duplicityManifest(std::string_view name)
{
    std::string_view rest = name;
    std::optional<Instant> time;
    std::optional<Suffix> ending;
    if (consume(rest, "duplicity-full.")) {
        const auto end = rest.find(".manifest");
        if (end == std::string_view::npos)
            return std::nullopt;
        time = longTime(rest.substr(0, end));
        ending = suffix(rest.substr(end + 9), ".part", false);
    } else if (consume(rest, "duplicity-inc.")) {
        const auto to = rest.find(".to.");
        const auto end = rest.find(".manifest");
        if (to == std::string_view::npos || end == std::string_view::npos || end < to || !longTime(rest.substr(0, to)))
            return std::nullopt;
        time = longTime(rest.substr(to + 4, end - to - 4));
        ending = suffix(rest.substr(end + 9), ".part", false);
    } else if (consume(rest, "df.")) {
        const auto end = rest.find(".m");
        if (end == std::string_view::npos)
            return std::nullopt;
        time = base36Time(rest.substr(0, end));
        ending = suffix(rest.substr(end + 2), ".p", true);
    } else if (consume(rest, "di.")) {
        const auto dot = rest.find('.');
        if (dot == std::string_view::npos || !base36Time(rest.substr(0, dot)))
            return std::nullopt;
        rest.remove_prefix(dot + 1);
        const auto end = rest.find(".m");
        if (end == std::string_view::npos)
            return std::nullopt;
        time = base36Time(rest.substr(0, end));
        ending = suffix(rest.substr(end + 2), ".p", true);
    }
    if (!time || !ending)
        return std::nullopt;
    return DuplicityManifest{*time, ending->partial, ending->encrypted};
}

std::optional<std::vector<Backup>> readDuplicity(const Folder& folder, const std::vector<FolderEntry>& sample,
                                                 const LayoutContext& context)
{
    const bool recognised = std::any_of(sample.begin(), sample.end(), [](const FolderEntry& entry) {
        return entry.isFile() && (entry.name.starts_with("duplicity-") || BackupFormats::duplicityManifest(entry.name));
    });
    if (!recognised)
        return std::nullopt;
    std::vector<Backup> found;
    for (const FolderEntry& entry : folder.list(maxLayoutEntries)) {
        if (!entry.isFile())
            continue;
        const auto manifest = BackupFormats::duplicityManifest(entry.name);
        if (!manifest || manifest->partial)
            continue;
        Backup backup{manifest->time, manifest->time};
        backup.tool = toolName;
        backup.encrypted = manifest->encrypted;
        found.push_back(std::move(backup));
    }
    if (const auto restic = folder.child("restic"))
        if (auto kept = readRestic(*restic, restic->list(maxLayoutEntries), context))
            found.insert(found.end(), kept->begin(), kept->end());
    return found;
}

} // namespace brindle
