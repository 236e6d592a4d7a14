// Renders every screen of the main window, light and dark, to PNG files: the demonstration
// with and without a backup drive, and a model with nothing granted. The windows are the
// real ones, on fake services; run it on the offscreen platform.
//
//   brindle_screenshots FOLDER
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/ui/PhotosGuideSheet.h"
#include "Brindle/app/ui/Theme.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTableView>

#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace {

using namespace brindle;

struct Scene {
    const char* name;
    std::vector<std::string_view> arguments;
    std::optional<Section> selection;
    // What to picture instead of the whole window, once it is shown; absent for the window.
    std::function<QWidget*(MainWindow&, AppModel&)> part{};
};

// The Photos guide sheet, over the window.
QWidget* photosGuide(MainWindow& window, AppModel& model)
{
    model.setShowPhotos(true);
    QApplication::processEvents();
    return window.findChild<PhotosGuideSheet*>();
}

// The folder list with its first folder chosen, so its strip shows.
QWidget* firstFolderChosen(MainWindow& window, AppModel&)
{
    if (auto* table = window.placeScreen()->findChild<QTableView*>())
        table->selectRow(0);
    return &window;
}

const std::vector<Scene>& scenes()
{
    using Kind = Section::Kind;
    static const std::vector<Scene> all{
        {"overview", {"-demoDrive"}, Section{Kind::overview}},
        {"overview-nobackup", {"-demo"}, Section{Kind::overview}},
        {"empty", {}, Section{Kind::overview}},
        {"all-folders", {"-demoDrive"}, Section{Kind::allFolders}, firstFolderChosen},
        {"no-second-copy", {"-demoDrive"}, Section{Kind::noSecondCopy}},
        {"changed-this-week", {"-demoDrive"}, Section{Kind::changedThisWeek}},
        {"folder", {"-demoDrive", "-select=folder=Documents"}, std::nullopt},
        {"icloud", {"-demoDrive"}, Section{Kind::iCloudDrive}},
        {"drive", {"-demoDrive"}, Section{Kind::backupDrive}},
        {"photos", {"-demoDrive"}, Section{Kind::photos}},
        {"photos-guide", {"-demoDrive"}, Section{Kind::photos}, photosGuide},
        {"history", {"-demoDrive"}, Section{Kind::history}},
    };
    return all;
}

bool render(const Scene& scene, bool dark, const QString& folder, const std::string& data)
{
    T::setDark(dark);
    test::FakeServices fakes;
    AppModel model(fakes.services(data, data), LaunchArguments::parse(scene.arguments));
    if (scene.selection)
        model.setSelection(scene.selection);
    Commands commands(model, fakes.desktop, QStringLiteral("0.0"));
    MainWindow window(model, commands);
    window.resize(MainWindow::initialFrame);
    window.show();
    QApplication::processEvents();
    QWidget* pictured = scene.part ? scene.part(window, model) : &window;
    QApplication::processEvents();
    const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, scene.name, dark ? "dark" : "light");
    if (pictured == nullptr || !pictured->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: brindle_screenshots FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "could not make %s\n", argv[1]);
        return 1;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    T::registerFonts();
    QApplication::setFont(T::text(13));
    const test::TestTree data;
    bool written = true;
    for (const bool dark : {false, true})
        for (const Scene& scene : scenes())
            written = render(scene, dark, folder, data.root()) && written;
    return written ? 0 : 1;
}
