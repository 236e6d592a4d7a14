// Finding the photo manager's catalogue from its settings, and which chosen folder counts it.
#include "BrindleCore/photos/PhotoCatalogue.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

struct Case {
    const char* what;
    std::vector<std::pair<std::string, Node>> tree; // below the home folder
    std::optional<PhotoCatalogue> expected;         // paths below the home folder
};

TEST(PhotoCatalogue, FoundFromTheManagersSettingsAndPlacedInAChosenFolder)
{
    const std::string rcHead = "[General Settings]\nDatabase Name=/elsewhere\n[Database Settings]\n";
    const std::vector<Case> cases{
        {"nothing", {{"Pictures/a.jpg", Node::file()}}, std::nullopt},
        {"Shotwell's data folder, hidden in the home folder",
         {{".local/share/shotwell/data/photo.db", Node::file(10)}},
         PhotoCatalogue{"Shotwell", ".local/share/shotwell/data/photo.db"}},
        {"Shotwell before 0.26",
         {{".shotwell/data/photo.db", Node::file(10)}},
         PhotoCatalogue{"Shotwell", ".shotwell/data/photo.db"}},
        {"a folder where Shotwell's database belongs",
         {{".local/share/shotwell/data/photo.db", Node::directory()}},
         std::nullopt},
        {"digiKam's folder, $HOME expanded, inside Pictures and not the Pict beside it",
         {{".config/digikamrc", Node::text(rcHead + "Database Type=QSQLITE\nDatabase Name[$e]=$HOME/Pictures/\n")},
          {"Pictures/digikam4.db", Node::file(10)}},
         PhotoCatalogue{"digiKam", "Pictures/digikam4.db", "Pictures"}},
        {"digiKam's file named itself",
         {{".config/digikamrc", Node::text(rcHead + "Database Name=~/Cat/my.db\n")}, {"Cat/my.db", Node::file(10)}},
         PhotoCatalogue{"digiKam", "Cat/my.db", "Home"}},
        {"digiKam on a database server, never inside a folder",
         {{".config/digikamrc", Node::text(rcHead + "Database Type=QMYSQL\nDatabase Name=digikam\n")}},
         PhotoCatalogue{"digiKam", ""}},
        {"digiKam's folder without its database",
         {{".config/digikamrc", Node::text(rcHead + "Database Name=~/Pictures\n")}, {"Pictures", Node::directory()}},
         std::nullopt},
        {"a database named in another group only",
         {{".config/digikamrc", Node::text("[General Settings]\nDatabase Name=~/Pictures\n")},
          {"Pictures/digikam4.db", Node::file(10)}},
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestTree tree(c.tree);
        const std::string home = tree.root();
        SetupPlaces places;
        places.home = home;
        places.configHome = home + "/.config";
        places.dataHome = home + "/.local/share";
        std::optional<PhotoCatalogue> found = PhotoCatalogues::find(places);
        if (found)
            found = PhotoCatalogues::placed(
                *found, {{"Pict", home + "/Pict"}, {"Pictures", home + "/Pictures/"}, {"Home", home}});
        std::optional<PhotoCatalogue> expected = c.expected;
        if (expected && !expected->path.empty())
            expected->path = home + "/" + expected->path;
        EXPECT_EQ(found, expected);
    }
}

} // namespace
} // namespace brindle
