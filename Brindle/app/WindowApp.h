// The window application: started by `brindle` without a command, or with launch arguments
// only. A later start while one runs hands its launch arguments to the running one and ends.
#pragma once

namespace brindle {

// Options of the window that are not launch arguments; hidden from the help.
inline constexpr const char* quitAfterFirstPaintOption = "--quit-after-first-paint";

// Runs the window application until it quits; the process's exit status.
int runWindowApp(int argc, char** argv);

} // namespace brindle
