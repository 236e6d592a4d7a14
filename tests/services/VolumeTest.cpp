// Real volumes: a small ext4 image with a known UUID on a loop device, mounted and unmounted
// while the mount watcher looks on, and moved to another mount point under a grant token.
#include "Brindle/app/services/GrantTokens.h"
#include "Brindle/app/services/MountWatcher.h"

#include "tests/support/TestTree.h"

#include <QSignalSpy>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

const QString uuid = QStringLiteral("3f0c8a52-2b1e-4d7a-9c61-5a0e7b9d2c14");

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        ::pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// An ext4 image attached to a loop device; detached and unmounted again at the end.
class LoopVolume {
public:
    explicit LoopVolume(const TestTree& tree) : image_(tree.path("volume.img"))
    {
        if (!run("truncate -s 16M " + image_) || !run("mkfs.ext4 -q -F -U " + uuid.toStdString() + " " + image_))
            return;
        device_ = output("losetup -f --show " + image_ + " 2>/dev/null");
    }
    ~LoopVolume()
    {
        for (const std::string& point : mounted_)
            run("umount " + point);
        if (!device_.empty())
            run("losetup -d " + device_);
    }
    bool attached() const { return device_.starts_with("/dev/"); }
    bool mount(const std::string& point)
    {
        if (!run("mount -t ext4 " + device_ + " " + point))
            return false;
        mounted_.push_back(point);
        return true;
    }
    bool unmount(const std::string& point)
    {
        std::erase(mounted_, point);
        return run("umount " + point);
    }

private:
    std::string image_;
    std::string device_;
    std::vector<std::string> mounted_;
};

} // namespace

class VolumeTest : public QObject {
    Q_OBJECT
private slots:
    void followsAVolumeAndItsGrantFromOneMountPointToAnother()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to attach and mount a loop device");
        if (::access("/dev/loop-control", F_OK) != 0)
            QSKIP("no loop devices on this machine (/dev/loop-control is missing)");
        const TestTree tree{{{"first", Node::directory()}, {"second", Node::directory()}}};
        LoopVolume volume(tree);
        if (!volume.attached())
            QSKIP("could not attach the ext4 image to a loop device (mkfs.ext4 or losetup refused)");

        const auto watcher = makeMountWatcher();
        watcher->start();
        QSignalSpy mounted(watcher.get(), &MountWatcher::mounted);
        QSignalSpy unmounted(watcher.get(), &MountWatcher::unmounted);
        const QString first = QString::fromStdString(tree.path("first"));
        if (!volume.mount(tree.path("first")))
            QSKIP("mounting is not allowed here");
        QTRY_COMPARE(mounted.count(), 1);
        QCOMPARE(mounted.at(0), (QVariantList{first, uuid}));
        QCOMPARE(watcher->mountMap().value(first), uuid);

        QVERIFY(::mkdir(tree.path("first/Backups").c_str(), 0755) == 0);
        const auto tokens = makeGrantTokens();
        const auto token = tokens->create(tree.path("first/Backups"));
        QVERIFY(token && token->find(uuid.toStdString()) != std::string::npos);
        QCOMPARE(tokens->resolve(*token), std::optional(ResolvedGrant{tree.path("first/Backups"), false, true}));

        QVERIFY(volume.unmount(tree.path("first")));
        QTRY_COMPARE(unmounted.count(), 1);
        QCOMPARE(unmounted.at(0), (QVariantList{first, uuid}));
        QVERIFY(!watcher->mountMap().contains(first));
        QVERIFY(!tokens->resolve(*token)); // not mounted anywhere

        QVERIFY(volume.mount(tree.path("second")));
        QCOMPARE(tokens->resolve(*token), std::optional(ResolvedGrant{tree.path("second/Backups"), true, true}));
        QTRY_COMPARE(mounted.count(), 2);
    }

    void followsAVolumeWithoutAUuidByItsMount()
    {
        const TestTree tree{{{"scratch", Node::directory()}}};
        const auto watcher = makeMountWatcher();
        watcher->start();
        QSignalSpy mounted(watcher.get(), &MountWatcher::mounted);
        const std::string point = tree.path("scratch");
        if (::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=1m") != 0)
            QSKIP("mounting needs root");
        QTRY_COMPARE(mounted.count(), 1);
        ::umount2(point.c_str(), MNT_DETACH);
        const QString identity = QString::fromStdString("mount:tmpfs:tmpfs@" + point);
        QCOMPARE(mounted.at(0), (QVariantList{QString::fromStdString(point), identity}));
    }
};

} // namespace brindle

QTEST_GUILESS_MAIN(brindle::VolumeTest)
#include "VolumeTest.moc"
