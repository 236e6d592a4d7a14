#include "BrindleCore/StandardFolders.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(UserDirs, ReadsHomeRelativeAndAbsoluteFoldersAndIgnoresTheRest)
{
    const std::string text = "# written by xdg-user-dirs-update\n"
                             "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                             "XDG_DOCUMENTS_DIR=\"/data/Docs/\"\n"
                             "XDG_DOWNLOAD_DIR=\"$HOME\"\n"       // turned off
                             "XDG_MUSIC_DIR=\"relative/Music\"\n" // not allowed
                             "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                             "XDG_VIDEOS_DIR=\"$HOME/`rm -rf`\"\n" // quoting tricks
                             "XDG_TEMPLATES_DIR=\"$HOME/Templates\"";
    const auto folders = parseUserDirs(text, "/home/ada");
    const std::map<std::string, std::string> expected{{"DESKTOP", "/home/ada/Desktop"},
                                                      {"DOCUMENTS", "/data/Docs"},
                                                      {"PICTURES", "/home/ada/Bilder"},
                                                      {"TEMPLATES", "/home/ada/Templates"}};
    EXPECT_EQ(folders, expected);
    for (const char* broken : {"XDG_=\"/x\"", "XDG_DESKTOP_DIR=\"", "XDG_DESKTOP_DIR=\"\n\"", "XDG_DESKTOP_DIR=/x"})
        EXPECT_TRUE(parseUserDirs(broken, "/home/ada").empty()) << broken;
}

} // namespace
} // namespace brindle
