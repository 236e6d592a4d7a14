#include "BrindleCore/Questions.h"
#include "BrindleCore/Demo.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using namespace std::chrono;

TEST(Questions, AnswersFromTheStoredResult)
{
    const Calendar utc = Calendar::utc();
    const Instant now = Demo::now();
    EXPECT_EQ(Questions::lastBackup(std::nullopt, now, utc), "No backup drive is chosen in Brindle.");
    EXPECT_EQ(Questions::lastBackup(Demo::noBackup(), now, utc), "No backup drive is chosen in Brindle.");
    CheckResult noBackups = Demo::withDrive();
    noBackups.drive->backups.clear();
    EXPECT_EQ(Questions::lastBackup(noBackups, now, utc), "Brindle couldn\u2019t read a backup on Backup.");
    EXPECT_EQ(Questions::lastBackup(Demo::withDrive(), now, utc), "Your last backup was today at 09:58, to Backup.");
    EXPECT_EQ(Questions::lastBackup(Demo::withDrive(), now + days{3}, utc),
              "Your last backup was on Thursday, to Backup.")
        << "never the days-ago form";

    const auto none = Questions::noSecondCopy(std::nullopt, now, utc);
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.dialog, "Brindle hasn\u2019t checked yet. Open it and choose your folders.");
    const auto demo = Questions::noSecondCopy(Demo::withDrive(), now + hours{1}, utc);
    EXPECT_EQ(demo.value, 743);
    EXPECT_EQ(demo.dialog, "743 files have no second copy, at the check today at 15:12.");

    CheckResult counted = Demo::noBackup();
    for (const auto& [n, start] : std::vector<std::pair<std::int64_t, std::string>>{
             {1, "1 file has no second copy"}, {0, "0 files have no second copy"}, {1234, "1,234 files have"}}) {
        counted.folders = {Demo::folder("One", {{Place::onlyHere, n, 1}}, {}, 0, false)};
        EXPECT_TRUE(Questions::noSecondCopy(counted, now, utc).dialog.starts_with(start)) << n;
    }
}

} // namespace
} // namespace brindle
