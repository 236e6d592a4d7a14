#include "BrindleCore/Store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace brindle {

std::string Store::folder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data) + "/Brindle";
    std::string home;
    if (const char* value = std::getenv("HOME"); value && value[0] == '/')
        home = value;
    else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        home = user->pw_dir;
    return home + "/.local/share/Brindle";
}

} // namespace brindle
