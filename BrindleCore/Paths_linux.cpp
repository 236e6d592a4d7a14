#include "BrindleCore/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

namespace brindle {

std::string_view lastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos || path.size() == 1 ? path : path.substr(slash + 1);
}

std::string parentFolder(std::string_view path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string withHomeExpanded(std::string_view path, std::string_view home)
{
    if (path != "~" && !path.starts_with("~/"))
        return std::string(path);
    const std::string folder = withoutTrailingSlashes(std::string(home));
    return path == "~" ? folder : (folder == "/" ? "" : folder) + std::string(path.substr(1));
}

bool isSameOrInside(std::string_view path, std::string_view folder)
{
    if (path == folder)
        return true;
    if (folder == "/")
        return path.starts_with('/');
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

std::string resolvedPath(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    return error ? withoutTrailingSlashes(path) : canonical.string();
}

bool isDirectory(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string executableFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return parentFolder(std::string_view(buffer, static_cast<std::size_t>(length)));
}

std::string homeFolder()
{
    if (const char* value = std::getenv("HOME"); value && value[0] == '/')
        return value;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && user->pw_dir[0] == '/')
        return user->pw_dir;
    return {};
}

std::string xdgFolder(const char* variable, std::string_view belowHome)
{
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return value;
    return homeFolder() + "/" + std::string(belowHome);
}

} // namespace brindle
