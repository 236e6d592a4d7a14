// The model's check on a real folder: the time from start() to the new result, and the longest
// the main thread's event loop went without running while the check ran (a 5 ms timer
// measures it). Uses the real settings file, tokens, volumes and mount watcher, in a private
// configuration and data folder.
//
//   bench_model_check FOLDER [RUNS]     (default 5 runs)
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/StoredSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
using namespace brindle;

class NoDesktop final : public Desktop {
public:
    void reveal(const QString&) override {}
    bool openUrl(const QUrl&) override { return false; }
    void openPhotos() override {}
    bool launchApplication(const QStringList&) override { return false; }
    bool hasApplication(const QStringList&) const override { return false; }
};

class NoPickers final : public Pickers {
public:
    QStringList chooseFolders(const QString&) override { return {}; }
    std::optional<QString> chooseDrive(const QString&) override { return std::nullopt; }
    void alert(const QString&, const QString&) override {}
};
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_model_check FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir home;
    const std::string root = home.path().toStdString();
    const auto settings = makeSettingsFile(root + "/settings.json");
    const auto tokens = makeGrantTokens();
    Stored::saveGrants(*settings, {{"bench", folder, tokens->create(folder).value_or("")}}, {});
    const auto mounts = makeMountWatcher();
    const auto driveTimer = makeDriveTimer();
    const auto keepWatch = makeKeepWatchSchedule();
    const auto notifier = makeNotifier();
    const auto login = makeLoginItem(QStringLiteral("brindle"), QString::fromStdString(root + "/autostart.desktop"));
    NoDesktop desktop;
    NoPickers pickers;
    AppModel model({.settings = *settings,
                    .tokens = *tokens,
                    .volumes = systemVolumes(),
                    .mounts = *mounts,
                    .driveTimer = *driveTimer,
                    .keepWatch = *keepWatch,
                    .notifier = *notifier,
                    .loginItem = *login,
                    .desktop = desktop,
                    .pickers = pickers,
                    .clock = clockNow,
                    .calendar = Calendar::current,
                    .historyPath = root + "/history.jsonl",
                    .lastCheckPath = root + "/last-check.json",
                    .home = root,
                    .drivesFolder = root},
                   LaunchArguments{});

    std::vector<double> seconds, gaps;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, &ticker,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    QElapsedTimer clock;
    QObject::connect(&model.checks(), &CheckLoop::checkFinished, &model, [&] {
        seconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        gaps.push_back(static_cast<double>(longestGap));
        ticker.stop();
        if (static_cast<int>(seconds.size()) == runs)
            app.quit();
        else
            QTimer::singleShot(0, [&] {
                longestGap = 0;
                sinceTick.start();
                ticker.start();
                clock.start();
                model.checks().start();
            });
    });
    QTimer::singleShot(0, [&] {
        sinceTick.start();
        ticker.start();
        clock.start();
        model.checks().start();
    });
    app.exec();
    std::sort(seconds.begin(), seconds.end());
    std::printf("start() to a new result of %lld files: median %.3f s over %d runs; longest main-thread gap %.0f ms\n",
                static_cast<long long>(model.checks().result() ? model.checks().result()->total().files : 0),
                seconds[seconds.size() / 2], runs, *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
