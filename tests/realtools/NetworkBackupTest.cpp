// borg and restic back up over ssh and sftp to an OpenSSH server the test starts on the
// loopback address. Run from a service (a timer's), they keep no record Brindle can read:
// Brindle names where they back up and says it cannot see those backups, never asks for a drive.
#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/Check.h"
#include "BrindleCore/Json.h"
#include "BrindleCore/Report.h"
#include "tests/realtools/RealTools.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle::test {
namespace {

// A port on 127.0.0.1 that nothing listens on just now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// sshd on 127.0.0.1 with its own host key, taking one client key, for as long as it lives.
struct Server {
    std::string folder, key, ssh;
    int port = freePort();
    std::optional<Started> daemon;

    explicit Server(const std::string& state) : folder(state + "/sshd"), key(folder + "/client")
    {
        ::mkdir(folder.c_str(), 0700);
        ::mkdir("/run/sshd", 0755); // sshd's privilege separation folder
        run({"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", folder + "/host"});
        run({"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", key});
        writeFile(folder + "/sshd_config",
                  "ListenAddress 127.0.0.1\nPort " + std::to_string(port) + "\nHostKey " + folder +
                      "/host\nAuthorizedKeysFile " + key + ".pub\nPidFile " + folder +
                      "/pid\nStrictModes no\nUsePAM no\nPermitRootLogin prohibit-password\n"
                      "PasswordAuthentication no\nSubsystem sftp internal-sftp\nLogLevel ERROR\n");
        ssh = "ssh -i " + key + " -p " + std::to_string(port) +
              " -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR";
        daemon.emplace(std::vector<std::string>{"/usr/sbin/sshd", "-D", "-e", "-f", folder + "/sshd_config"});
    }
    bool answers() const
    {
        return waitFor([&] { return run({"sh", "-c", ssh + " root@127.0.0.1 true"}).status == 0; });
    }
};

TEST(RealNetworkBackups, BrindleSaysItCannotSeeBackupsSentOverTheNetwork)
{
    BRINDLE_REQUIRE_TOOL("sshd");
    BRINDLE_REQUIRE_TOOL("borg");
    BRINDLE_REQUIRE_TOOL("restic");
    if (::geteuid() != 0)
        GTEST_SKIP() << "the test's ssh server logs in as root";
    Workplace place;
    place.tree.add("server", Node::directory());
    Server server(place.state);
    ASSERT_TRUE(server.answers()) << "sshd did not answer on port " << server.port;
    const std::string port = std::to_string(server.port);

    const std::string borgRepository = "ssh://root@127.0.0.1:" + port + place.tree.path("server/borg");
    const Environment borg{{"BORG_RSH", server.ssh},
                           {"BORG_BASE_DIR", place.state},
                           {"BORG_UNKNOWN_UNENCRYPTED_REPO_ACCESS_IS_OK", "yes"}};
    ASSERT_EQ(run({"borg", "init", "-e", "none", borgRepository}, borg).status, 0);
    ASSERT_EQ(run({"borg", "create", borgRepository + "::first", place.home + "/Documents"}, borg).status, 0);
    EXPECT_EQ(run({"borg", "list", "--short", borgRepository}, borg).output, "first\n");

    const std::string resticRepository = "sftp:root@127.0.0.1:" + place.tree.path("server/restic");
    const std::string sftp = "sftp.command=" + server.ssh + " root@127.0.0.1 -s sftp";
    const Environment restic{{"RESTIC_PASSWORD", "brindle"}, {"RESTIC_CACHE_DIR", place.state}};
    ASSERT_EQ(run({"restic", "-o", sftp, "-r", resticRepository, "init"}, restic).status, 0);
    ASSERT_EQ(
        run({"restic", "-o", sftp, "-r", resticRepository, "backup", "--quiet", place.home + "/Documents"}, restic)
            .status,
        0);
    EXPECT_EQ(
        parseJson(run({"restic", "-o", sftp, "-r", resticRepository, "snapshots", "--json"}, restic).output).size(),
        1u);

    // The same runs as a timer would start them.
    place.tree.add("home/.config/systemd/user/borg.service",
                   Node::text("[Service]\nEnvironment=\"BORG_RSH=" + server.ssh +
                              "\"\nExecStart=/usr/bin/borg create " + borgRepository + "::{now} " + place.home +
                              "/Documents\n"));
    place.tree.add("home/.config/systemd/user/restic.service",
                   Node::text("[Service]\nExecStart=/usr/bin/restic -o '" + sftp + "' -r " + resticRepository +
                              " backup " + place.home + "/Documents\n"));
    SetupPlaces places{place.home, place.home + "/.config", place.home + "/.local/share"};
    places.timeshiftConfig = places.rsnapshotConfig = places.systemUnits = place.tree.path("nowhere");
    const std::vector<BackupSetup> setups = SetupRead::all(places, std::nullopt, Calendar::utc());
    ASSERT_EQ(setups.size(), 2u);

    CheckRequest request;
    request.folders = {{"Documents", place.home + "/Documents"}};
    request.now = clockNow();
    request.setups = setups;
    CheckObserver quiet;
    const CheckResult result = Check::run(request, quiet).result;
    const Report report(result, Guide::shared(), std::nullopt, Calendar::utc());
    EXPECT_EQ(report.answer, "3 files (under 1 MB) live only on this computer, and Brindle can’t see a backup of "
                             "them yet.");
    std::vector<std::string> lines;
    for (const Finding& finding : report.findings) {
        EXPECT_NE(finding.id, "driveNotChosen");
        if (finding.id == "remoteUnseen")
            lines.push_back(finding.line);
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{"borg backs up to 127.0.0.1 (ssh), and Brindle can’t see backups sent over the "
                                        "network, so it can’t tell which files they hold."}))
        << "one finding names the set-up Brindle names first";
}

} // namespace
} // namespace brindle::test
