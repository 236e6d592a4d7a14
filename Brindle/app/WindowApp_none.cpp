// A build without Qt has no window.
#include "Brindle/app/WindowApp.h"

#include <cstdio>

namespace brindle {

int runWindowApp(int, char**)
{
    std::fputs("brindle: this build has no window; give a command (brindle --help).\n", stderr);
    return 2;
}

} // namespace brindle
