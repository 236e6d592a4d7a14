// The computer's name the printed letter is signed with: the machine-info file as the shell
// would read it, then the host name.
#include "Brindle/app/services/ComputerName.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace brindle {
namespace {

TEST(ComputerName, PrettyHostnameAsTheShellWouldReadIt)
{
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"PRETTY_HOSTNAME=\"Ada\\\"s Laptop\"\nCHASSIS=laptop\n", "Ada\"s Laptop"},
        {"  PRETTY_HOSTNAME = 'Kitchen \\ desk'  ", "Kitchen \\ desk"},
        {"PRETTY_HOSTNAME=bare\\ name\r\n", "bare name"},
        {"PRETTY_HOSTNAME=first\nPRETTY_HOSTNAME=second", "second"},
        {"# PRETTY_HOSTNAME=comment\nHOSTNAME=x", std::nullopt},
        {"PRETTY_HOSTNAME=\"\"", std::nullopt},
        {"PRETTY_HOSTNAME=\"\x01\x1b[31m\"", "[31m"},
        {"PRETTY_HOSTNAME=\"unterminated", "unterminated"},
        {"PRETTY_HOSTNAME=\"Ada\u202E\u2067 Kitchen\u2069\u200F\u061C\u0085\u009B\"", "Ada Kitchen"},
        {"PRETTY_HOSTNAME=" + std::string(300, 'a'), std::string(ComputerName::longestName, 'a')},
        {"PRETTY_HOSTNAME=" + std::string(255, 'a') + "\u00e9", std::string(255, 'a')}, // never half a character
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(ComputerName::prettyHostname(text), name) << text;
}

TEST(ComputerName, TheFileThenTheHostName)
{
    const test::TestTree tree{{{"machine-info", test::Node::text("PRETTY_HOSTNAME=\"Studio Mac\"\n")},
                               {"blank", test::Node::text("ICON_NAME=computer\n")}}};
    EXPECT_EQ(ComputerName::read(tree.path("machine-info")), "Studio Mac");
    const std::string fallback = ComputerName::read(tree.path("blank"));
    EXPECT_FALSE(fallback.empty());
    EXPECT_EQ(ComputerName::read(tree.path("missing")), fallback);
}

} // namespace
} // namespace brindle
