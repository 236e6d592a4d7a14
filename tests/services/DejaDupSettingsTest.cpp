// Déjà Dup's settings through GSettings, on a keyfile backend in a temporary folder with a
// schema compiled for the test. Each test runs in a process of its own (GSettings reads its
// environment once).
#include "Brindle/app/services/DejaDupSettings.h"

#include "BrindleCore/FileIO.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

const char* schema = R"(<schemalist>
  <schema id="org.gnome.DejaDup" path="/org/gnome/deja-dup/">
    <key name="include-list" type="as"><default>['$HOME']</default></key>
    <key name="exclude-list" type="as"><default>['$TRASH', '$DOWNLOAD']</default></key>
    <key name="last-backup" type="s"><default>''</default></key>
    <key name="backend" type="s"><default>'auto'</default></key>
    <child name="local" schema="org.gnome.DejaDup.Local"/>
    <child name="drive" schema="org.gnome.DejaDup.Drive"/>
  </schema>
  <schema id="org.gnome.DejaDup.Local" path="/org/gnome/deja-dup/local/">
    <key name="folder" type="s"><default>'$HOSTNAME'</default></key>
  </schema>
  <schema id="org.gnome.DejaDup.Drive" path="/org/gnome/deja-dup/drive/">
    <key name="uuid" type="s"><default>''</default></key>
    <key name="name" type="s"><default>''</default></key>
  </schema>
</schemalist>
)";

// Points GSettings at `tree`: schemas in schemas/ (compiled when `withSchema`), settings in a
// keyfile. False when the schema compiler is not installed.
bool useTree(const TestTree& tree, bool withSchema)
{
    tree.add("schemas", Node::directory());
    ::setenv("GSETTINGS_SCHEMA_DIR", tree.path("schemas").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("config").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", tree.path("share").c_str(), 1); // no system schemas
    if (!withSchema)
        return true;
    if (std::system("command -v glib-compile-schemas >/dev/null 2>&1") != 0)
        return false;
    tree.add("schemas/org.gnome.DejaDup.gschema.xml", Node::text(schema));
    return std::system(("glib-compile-schemas " + tree.path("schemas")).c_str()) == 0;
}

TEST(DejaDupSettings, ReadsTheKeysThroughGSettings)
{
    const TestTree tree;
    if (!useTree(tree, true))
        GTEST_SKIP() << "glib-compile-schemas is not installed";
    tree.add("config/glib-2.0/settings/keyfile",
             Node::text("[org/gnome/deja-dup]\nbackend='drive'\ninclude-list=['$DOCUMENTS', '~/Projects']\n"
                        "last-backup='2026-11-20T02:15:00Z'\n\n"
                        "[org/gnome/deja-dup/drive]\nuuid='1234-ABCD'\nname='Backup'\n"));
    const auto settings = readDejaDupSettings();
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (DejaDupSettings{"drive",
                                          "$HOSTNAME",
                                          "1234-ABCD",
                                          "Backup",
                                          {"$DOCUMENTS", "~/Projects"},
                                          {"$TRASH", "$DOWNLOAD"},
                                          "2026-11-20T02:15:00Z"}));
}

// Déjà Dup's own schema, as the deja-dup package installs it: a server chosen, and the last
// backup it recorded.
TEST(DejaDupSettings, AServerAndTheLastBackupThroughDejaDupsOwnSchema)
{
    const std::string installed = "/usr/share/glib-2.0/schemas/org.gnome.DejaDup.gschema.xml";
    const auto own = readRegularFile(installed, 1u << 20).content;
    const TestTree tree;
    if (!own || !useTree(tree, false) || std::system("command -v glib-compile-schemas >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "deja-dup is not installed (scripts/install-deps installs it)";
    tree.add("schemas/org.gnome.DejaDup.gschema.xml", Node::text(*own));
    ASSERT_EQ(std::system(("glib-compile-schemas " + tree.path("schemas")).c_str()), 0);
    tree.add("config/glib-2.0/settings/keyfile",
             Node::text("[org/gnome/deja-dup]\nbackend='remote'\nlast-backup='2026-12-07T22:00:00.123456Z'\n\n"
                        "[org/gnome/deja-dup/remote]\nuri='sftp://nas.local/srv/backup'\nfolder='ada'\n"));
    const auto settings = readDejaDupSettings();
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->remoteUri, "sftp://nas.local/srv/backup");
    EXPECT_EQ(settings->remoteFolder, "ada");
    SetupPlaces places;
    places.home = tree.path("home");
    const auto setup = SetupRead::dejaDup(*settings, places, Calendar::utc());
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->target, "sftp://nas.local/srv/backup/ada");
    EXPECT_TRUE(setup->lastBackup);
}

TEST(DejaDupSettings, NothingWithoutTheSchema)
{
    const TestTree tree;
    useTree(tree, false);
    EXPECT_FALSE(readDejaDupSettings());
}

} // namespace
} // namespace brindle
