#include "tests/realtools/RealTools.h"

#include "BrindleCore/backups/Folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <charconv>
#include <fstream>

namespace brindle::test {

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string name = entry->d_name; name != "." && name != "..")
                names.push_back(std::move(name));
        ::closedir(dir);
    }
    return names;
}

bool exists(const std::string& path)
{
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

std::optional<unsigned long> highestNumbered(const std::string& folder, const std::string& prefix)
{
    std::optional<unsigned long> highest;
    for (const std::string& name : namesIn(folder)) {
        if (!name.starts_with(prefix) || name.size() == prefix.size())
            continue;
        unsigned long n = 0;
        const char* end = name.data() + name.size();
        if (const auto [at, error] = std::from_chars(name.data() + prefix.size(), end, n);
            error == std::errc{} && at == end)
            if (!highest || n > *highest)
                highest = n;
    }
    return highest;
}

std::optional<Instant> modified(const std::string& path)
{
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0)
        return std::nullopt;
    return modificationTime(status);
}

} // namespace brindle::test
