// Volume facts from a fixed mount table, device links and sysfs, laid out in a temporary
// folder; capacities come from the real file system under it.
#include "BrindleCore/Drive.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

class DriveFactsFixture : public ::testing::Test {
protected:
    TestTree tree{{
        {"volumes/Backup/Backups.backupdb", Node::directory()},
        {"volumes/Stick", Node::directory()},
        {"volumes/Vault", Node::directory()},
        {"volumes/Share", Node::directory()},
        {"dev/disk/by-uuid/5A3C-11F0", Node::symlink("../../sdb1")},
        {"dev/disk/by-uuid/0f1e2d3c-aaaa-bbbb-cccc-1234567890ab", Node::symlink("../../dm-1")},
        {"dev/disk/by-label/Time\\x20Machine", Node::symlink("../../sdb1")},
        {"dev/disk/by-label/Other", Node::symlink("../../sdc1")},
        {"sys/devices/pci0/usb2/2-1/block/sdb/removable", Node::file()},
        {"sys/devices/pci0/usb2/2-1/block/sdb/sdb1/partition", Node::file()},
        {"sys/devices/pci0/ata1/block/sdc/sdc1/partition", Node::file()},
        {"sys/devices/virtual/block/dm-0/dm/uuid", Node::file()},
        {"sys/devices/virtual/block/dm-1/dm/uuid", Node::file()},
        {"sys/devices/virtual/block/dm-1/slaves/dm-0", Node::directory()},
        {"sys/class/block/sdb1", Node::symlink("../../devices/pci0/usb2/2-1/block/sdb/sdb1")},
        {"sys/class/block/sdc1", Node::symlink("../../devices/pci0/ata1/block/sdc/sdc1")},
        {"sys/class/block/dm-0", Node::symlink("../../devices/virtual/block/dm-0")},
        {"sys/class/block/dm-1", Node::symlink("../../devices/virtual/block/dm-1")},
        {"sys/block/dm-0", Node::symlink("../devices/virtual/block/dm-0")},
        {"sys/block/dm-1", Node::symlink("../devices/virtual/block/dm-1")},
    }};
    Drive::SystemTables tables{tree.path("mountinfo"), tree.path("dev/disk"), tree.path("sys"), false};

    void SetUp() override
    {
        write("sys/devices/virtual/block/dm-0/dm/uuid", "CRYPT-LUKS2-0f1e2d3caaaabbbbcccc1234567890ab-luks\n");
        write("sys/devices/virtual/block/dm-1/dm/uuid", "LVM-abcdef\n");
        write("sys/devices/pci0/usb2/2-1/block/sdb/removable", "0\n");
        const std::string v = tree.path("volumes");
        write("mountinfo", "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                           "40 1 8:17 / " +
                               v +
                               "/Backup rw - hfsplus /dev/sdb1 rw\n"
                               "41 1 8:33 / " +
                               v +
                               "/Stick rw - exfat /dev/sdc1 rw\n"
                               "42 1 253:1 / " +
                               v +
                               "/Vault rw - apfs /dev/dm-1 rw\n"
                               "43 1 0:50 / " +
                               v + "/Share rw - nfs4 server:/export rw\n");
    }
    void write(const std::string& relative, const std::string& text) const
    {
        std::ofstream(tree.path(relative)) << text;
    }
};

TEST_F(DriveFactsFixture, ReadsAUsbBackupDriveByItsLabelAndUuid)
{
    const auto facts = Drive::facts(tree.path("volumes/Backup/Backups.backupdb"), tables);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->name, "Time Machine");
    EXPECT_EQ(facts->format, "Mac OS Extended (Journaled)");
    EXPECT_TRUE(facts->canHoldTimeMachine());
    EXPECT_EQ(facts->uuid, "5A3C-11F0");
    EXPECT_EQ(facts->encrypted, false);
    EXPECT_EQ(facts->removable, true) << "on a USB bus";
    ASSERT_TRUE(facts->totalBytes && facts->freeBytes);
    EXPECT_GT(*facts->totalBytes, 0);
    EXPECT_LE(*facts->freeBytes, *facts->totalBytes);
}

TEST_F(DriveFactsFixture, EncryptionIsFoundBelowAMapping)
{
    const auto facts = Drive::facts(tree.path("volumes/Vault"), tables);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->name, "Vault") << "no label: the mount point's name";
    EXPECT_EQ(facts->format, "APFS");
    EXPECT_EQ(facts->uuid, "0f1e2d3c-aaaa-bbbb-cccc-1234567890ab");
    EXPECT_EQ(facts->encrypted, true);
    EXPECT_EQ(facts->removable, false);
}

TEST_F(DriveFactsFixture, DevicesAndSharesTheTablesDoNotDescribe)
{
    const auto stick = Drive::facts(tree.path("volumes/Stick"), tables);
    ASSERT_TRUE(stick);
    EXPECT_EQ(stick->name, "Other");
    EXPECT_EQ(stick->format, "ExFAT");
    EXPECT_FALSE(stick->canHoldTimeMachine());
    EXPECT_EQ(stick->uuid, "mount:exfat:/dev/sdc1") << "no UUID: known by its mount";
    EXPECT_EQ(stick->removable, false);

    const auto share = Drive::facts(tree.path("volumes/Share"), tables);
    ASSERT_TRUE(share);
    EXPECT_EQ(share->format, "nfs4");
    EXPECT_EQ(share->uuid, "mount:nfs4:server:/export");
    EXPECT_EQ(share->encrypted, std::nullopt);
    EXPECT_EQ(share->removable, std::nullopt);
}

TEST_F(DriveFactsFixture, EveryVolumeIsKnownTheSameWayWhereverItIsMounted)
{
    struct Row {
        Drive::Mount mount;
        std::string identity;
    };
    const std::vector<Row> rows{
        {{"/media/ada/Backup", "/dev/sdb1", "hfsplus", "/"}, "5A3C-11F0"},
        {{"/srv/elsewhere", "/dev/sdb1", "hfsplus", "/Backups"}, "5A3C-11F0"},
        {{"/mnt/nas", "nas:/export/ada", "nfs4", "/"}, "mount:nfs4:nas:/export/ada"},
        {{"/media/nas-again", "nas:/export/ada", "nfs4", "/"}, "mount:nfs4:nas:/export/ada"},
        {{"/mnt/share", "//nas/backup", "cifs", "/"}, "mount:cifs://nas/backup"},
        {{"/home/ada/nas", "ada@nas:/srv", "fuse.sshfs", "/"}, "mount:fuse.sshfs:ada@nas:/srv"},
        {{"/mnt/stick", "/dev/sdc1", "exfat", "/"}, "mount:exfat:/dev/sdc1"},
        {{"/mnt/part", "/dev/sdc1", "exfat", "/kept"}, "mount:exfat:/dev/sdc1/kept"},
        {{"/mnt/scratch", "tmpfs", "tmpfs", "/"}, "mount:tmpfs:tmpfs@/mnt/scratch"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Drive::volumeIdentity(row.mount, tables), row.identity) << row.mount.target;
        EXPECT_EQ(Drive::isVolumeUuid(row.identity), !row.identity.starts_with("mount:"));
    }

    std::ofstream(tree.path("mountinfo"), std::ios::app) << "50 1 0:5 / /proc rw - proc proc rw\n"
                                                            "51 1 0:6 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n";
    std::vector<std::string> listed;
    for (const Drive::Mount& mount : Drive::mounts(tables))
        listed.push_back(mount.type);
    EXPECT_EQ(listed, (std::vector<std::string>{"ext4", "hfsplus", "exfat", "apfs", "nfs4"}));
}

TEST_F(DriveFactsFixture, AnyFailureMakesTheWholeAnswerAbsent)
{
    EXPECT_FALSE(Drive::facts(tree.path("volumes/missing"), tables));
    Drive::SystemTables noTable = tables;
    noTable.mountInfo = tree.path("no-such-mountinfo");
    EXPECT_FALSE(Drive::facts(tree.path("volumes/Backup"), noTable));
}

TEST(DriveFacts, FormatDescriptions)
{
    const std::vector<std::pair<const char*, const char*>> cases{
        {"apfs", "APFS"},       {"hfsplus", "Mac OS Extended (Journaled)"},
        {"ext4", "ext4"},       {"vfat", "MS-DOS (FAT32)"},
        {"exfat", "ExFAT"},     {"ntfs3", "NTFS"},
        {"fuseblk", "fuseblk"}, {"fuse.fusefat", "fuse.fusefat"},
        {"btrfs", "Btrfs"},     {"xfs", "XFS"},
        {"", "Unknown"},        {"weirdfs", "weirdfs"}};
    for (const auto& [type, shown] : cases)
        EXPECT_EQ(Drive::formatDescription(type), shown) << type;
}

TEST(DriveFacts, TheRealRootFileSystemIsReadable)
{
    const auto facts = Drive::facts("/");
    ASSERT_TRUE(facts);
    EXPECT_FALSE(facts->format.empty());
    EXPECT_TRUE(facts->totalBytes.has_value());
}

TEST(DriveFacts, AMemoryFileSystemMountedNowIsKnownByItsMount)
{
    const TestTree tree{{{"scratch", Node::directory()}}};
    const std::string point = tree.path("scratch");
    if (::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "mounting needs root: " << std::strerror(errno);
    const auto facts = Drive::facts(point);
    const auto mounts = Drive::mounts();
    ::umount2(point.c_str(), MNT_DETACH);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->uuid, "mount:tmpfs:tmpfs@" + point);
    EXPECT_TRUE(std::ranges::any_of(mounts, [&](const Drive::Mount& mount) {
        return mount.target == point && Drive::volumeIdentity(mount) == facts->uuid;
    }));
}

TEST_F(DriveFactsFixture, OneFileSystemIdPerDiskWhateverItsSubvolumes)
{
    const std::string v = tree.path("volumes");
    tree.add("volumes/Root", Node::directory());
    tree.add("volumes/Home", Node::directory());
    std::ofstream(tree.path("mountinfo"), std::ios::app) << "44 1 0:60 /@ " + v +
                                                                "/Root rw - btrfs /dev/sdd2 rw\n"
                                                                "45 1 0:61 /@home " +
                                                                v + "/Home rw - btrfs /dev/sdd2 rw\n";
    const auto root = Drive::fileSystemId(tree.path("volumes/Root"), tables);
    ASSERT_TRUE(root);
    EXPECT_EQ(Drive::fileSystemId(tree.path("volumes/Home"), tables), root);
    EXPECT_NE(Drive::fileSystemId(tree.path("volumes/Stick"), tables), root);
    EXPECT_EQ(Drive::fileSystemId(tree.path("volumes/Share"), tables), "mount 0:50") << "no device: the mount";

    DriveState drive{{"Root", "Btrfs"}, true, {}};
    drive.fileSystem = root;
    EXPECT_EQ(Drive::foldersOnDisk(
                  drive,
                  {FolderTally("Home", tree.path("volumes/Home")), FolderTally("Stick", tree.path("volumes/Stick"))},
                  tables),
              std::vector<std::string>{"Home"});
    drive.fileSystem.reset();
    EXPECT_EQ(Drive::foldersOnDisk(drive, {FolderTally("Home", tree.path("volumes/Home"))}, tables), std::nullopt);
}

} // namespace
} // namespace brindle
