// The core's values that Qt Test carries in data columns. Declared here, once, and included
// before any use: a declaration after the first use is an error in optimised builds.
#pragma once

#include "BrindleCore/Watch.h"

#include <QMetaType>

Q_DECLARE_METATYPE(brindle::WatchSettings)
