#include "BrindleCore/Store.h"

#include "BrindleCore/Paths.h"

namespace brindle {

std::string Store::folder() { return xdgFolder("XDG_DATA_HOME", ".local/share") + "/Brindle"; }

} // namespace brindle
