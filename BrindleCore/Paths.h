// Paths: lexical helpers for path text, and the user's own folders.
//
// The lexical helpers never touch the file system. `isDirectory` follows links. The folder
// lookups read the environment on every call (tests change it) and never fail: an unusable
// value falls back as each says. All may be called from any thread, as long as nothing
// changes the environment at the same time.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// The last component of a path ("/home/ada/Documents/" → "Documents"; "/" stays "/").
std::string_view lastPathComponent(std::string_view path);
// The folder holding `path` ("/a/b" → "/a", "/a" → "/", "b" → ".").
std::string parentFolder(std::string_view path);
// `path` without trailing slashes; "/" stays "/".
std::string withoutTrailingSlashes(std::string path);
// Whether `path` is `folder` or lies below it, by their text: "/" holds every absolute path,
// and "/a" holds "/a/b" but not "/ab". Neither may end with a slash ("/" aside).
bool isSameOrInside(std::string_view path, std::string_view folder);
// `path` with its links resolved, for comparing folders (touches the file system); the path
// as given, without trailing slashes, when it cannot be resolved.
std::string resolvedPath(const std::string& path);

// `path` with a leading "~" or "~/" replaced by `home` ("~/Documents" → "/home/ada/Documents");
// any other path as it is ("~ada/x" too).
std::string withHomeExpanded(std::string_view path, std::string_view home);

bool isDirectory(const std::string& path);
// The folder of the running executable, links resolved; empty when it cannot be told.
std::string executableFolder();

// $HOME when it is absolute, else the home folder of the password database; empty when
// neither is known.
std::string homeFolder();
// $`variable` when it is absolute, else the home folder joined with `belowHome` (the XDG
// rule: "XDG_DATA_HOME" falls back to "~/.local/share").
std::string xdgFolder(const char* variable, std::string_view belowHome);

} // namespace brindle
