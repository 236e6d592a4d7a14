// Reading and writing whole files safely.
//
// `readRegularFile` reads only regular files (a FIFO or device put in a file's place is
// refused, never blocked on) and refuses files larger than a cap. `writeFileAtomically`
// replaces a file so that readers see either the old or the new content, never a mixture:
// temporary file in the same folder, every write checked, fsync, rename, fsync of the folder.
// On any failure the old file is left as it was and no temporary file stays behind. A
// symbolic link is written through: the file it leads to is replaced (made when missing) and
// the link stays. A path that holds something other than a regular file (a device, a FIFO, a
// terminal) is written into in place, never renamed over; a FIFO without a reader fails at
// once rather than waiting. A save
// also removes the temporaries ("<file>.tmp-<pid>-<n>") of the same file that a process which
// has ended (killed mid-save) left behind; those of a running process stay.
// Neither throws; both may be called from any thread.
#pragma once

#include "BrindleCore/Paths.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

enum class ReadError { missing, tooLarge, unreadable };

struct ReadResult {
    std::optional<std::string> content;
    ReadError error = ReadError::unreadable; // meaningful when content is absent
};

ReadResult readRegularFile(const std::string& path, std::size_t maxBytes);

// Returns false when the file could not be replaced; `errorText` then says why.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* errorText = nullptr);

// Writes all of `bytes` to `fd`, going on after interrupted and partial writes; false, with
// errno set, when the descriptor takes no more.
bool writeAll(int fd, std::string_view bytes);

// Creates `path` and any missing parents (mode 0700 for new folders); true when it exists.
bool makeFolders(const std::string& path);

} // namespace brindle
