// Déjà Dup's settings, read through GSettings (schema org.gnome.DejaDup), only when the
// schema is installed: GSettings aborts the process on a schema it does not know, so the
// schema and each key are looked up before they are read.
//
// Reads the settings backend the desktop uses (dconf, or the one GSETTINGS_BACKEND names),
// never writes. Any thread; the GSettings objects it makes live only for the call.
#pragma once

#include "BrindleCore/BackupSetupRead.h"

#include <optional>

namespace brindle {

// Absent when the schema is not installed.
std::optional<DejaDupSettings> readDejaDupSettings();

} // namespace brindle
