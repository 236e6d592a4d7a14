#include "Brindle/app/WindowApp.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/services/ApplicationBus.h"
#include "Brindle/app/services/DesktopAppearance.h"
#include "Brindle/app/services/WindowSettings.h"
#include "Brindle/app/ui/Shell.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/ThemeStyle.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Store.h"
#include "BrindleCore/Translation.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPalette>
#include <QTranslator>

#include <cstdio>
#include <string_view>
#include <vector>

namespace brindle {

namespace {
// The platform's palette before the program replaces it: its lightness is the desktop's
// appearance when no portal says.
bool paletteIsDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

// Hands the launch arguments to the running instance; the exit status of this start.
int passToRunningInstance(const QStringList& arguments)
{
    QDBusPendingCall call = ApplicationBus::pass(QDBusConnection::sessionBus(), arguments);
    call.waitForFinished();
    if (call.isError()) {
        // TRANSLATORS: {reason} is the session bus's explanation, in English.
        const std::string message =
            fill(translated("terminal: error", "Brindle is running but did not answer: {reason}"),
                 {{"reason", call.error().message().toStdString()}});
        std::fprintf(stderr, "brindle: %s\n", message.c_str());
        return 1;
    }
    return 0;
}

// Qt's own texts (the buttons and titles of its standard dialogs) in the chosen language, from
// the translations Qt installs; they stay English when those are missing.
void useQtTranslation(QTranslator& translator)
{
    const std::string& language = formattingLocale();
    if (!language.empty() && translator.load(QStringLiteral("qtbase_") + QString::fromStdString(language),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
}
} // namespace

int runWindowApp(int argc, char** argv)
{
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    QApplication::setApplicationVersion(QStringLiteral(BRINDLE_VERSION));
    QApplication::setDesktopFileName(applicationId);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtTexts;
    useQtTranslation(qtTexts);
    // The installed icon, from the desktop's icon theme; a build that is not installed has none.
    QApplication::setWindowIcon(QIcon::fromTheme(applicationId));

    QStringList launchArguments;
    bool quitAfterFirstPaint = false;
    std::vector<std::string> owned;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String(quitAfterFirstPaintOption))
            quitAfterFirstPaint = true;
        else
            launchArguments << argument;
        owned.push_back(argument.toStdString());
    }

    ApplicationBus bus;
    if (bus.claim() == ApplicationBus::Claim::ownedElsewhere)
        return passToRunningInstance(launchArguments);

    const bool paletteDark = paletteIsDark(QApplication::palette());
    QApplication::setStyle(new ThemeStyle);
    if (!T::registerFonts())
        std::fprintf(stderr, "brindle: %s\n",
                     translated("terminal: error", "some of the window's fonts did not load").c_str());
    QApplication::setFont(T::text(13));

    const auto settings = makeWindowSettings();
    const auto tokens = makeGrantTokens();
    const auto mounts = makeMountWatcher();
    const auto driveTimer = makeDriveTimer();
    const auto keepWatch = makeKeepWatchSchedule();
    const auto notifier = makeNotifier();
    const auto loginItem = makeLoginItem(QApplication::applicationFilePath());
    const auto desktop = makeDesktop();
    const auto pickers = makeDialogPickers();
    const AppServices services{.settings = *settings,
                               .tokens = *tokens,
                               .volumes = systemVolumes(),
                               .mounts = *mounts,
                               .driveTimer = *driveTimer,
                               .keepWatch = *keepWatch,
                               .notifier = *notifier,
                               .loginItem = *loginItem,
                               .desktop = *desktop,
                               .pickers = *pickers,
                               .historyPath = Store::historyURL(),
                               .lastCheckPath = Store::lastCheckURL(),
                               .home = homeFolder(),
                               .drivesFolder = drivesFolder().toStdString()};
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    AppModel model(services, LaunchArguments::parse(views));
    Shell shell(model, *desktop,
                {.version = QApplication::applicationVersion(), .quit = {}, .paletteDark = paletteDark});

    const auto appearance = makeDesktopAppearance();
    QObject::connect(appearance.get(), &DesktopAppearance::schemeChanged, &shell, &Shell::followDesktop);
    QObject::connect(&bus, &ApplicationBus::activated, &shell, &Shell::showMainWindow);
    QObject::connect(&bus, &ApplicationBus::argumentsPassed, &shell, &Shell::passArguments);
    QObject::connect(&bus, &ApplicationBus::quitRequested, &shell, &Shell::quit);
    if (quitAfterFirstPaint)
        QObject::connect(&shell, &Shell::mainWindowPainted, &app, &QApplication::quit, Qt::QueuedConnection);

    appearance->start();
    shell.start();
    return QApplication::exec();
}

} // namespace brindle
