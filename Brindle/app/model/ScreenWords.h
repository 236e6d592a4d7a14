// The fixed words of the window's screens, sheets, menus and tray: buttons, titles, captions
// and the names read out to assistive technology. Texts that depend on the check result are
// built by the presentation functions beside this file; the widgets only lay them out.
#pragma once

namespace brindle::words {

// Shared buttons.
inline constexpr const char* chooseFolders = "Choose Folders";
inline constexpr const char* chooseDrive = "Choose Drive";
inline constexpr const char* addFolder = "Add Folder";
inline constexpr const char* addAnotherDrive = "Add Another Drive";
inline constexpr const char* chooseAnotherDrive = "Choose Another Drive";
inline constexpr const char* openBackupSettings = "Open Backup Settings";
inline constexpr const char* showInFiles = "Show in Files";
inline constexpr const char* checkAgain = "Check Again";
inline constexpr const char* openBrindle = "Open Brindle";
inline constexpr const char* brindle = "Brindle";

// Menus.
inline constexpr const char* fileMenu = "&File";
inline constexpr const char* windowMenu = "&Window";
inline constexpr const char* helpMenu = "&Help";
inline constexpr const char* chooseFoldersCommand = "Choose Folders…";
inline constexpr const char* printReportCommand = "Print Report…";
inline constexpr const char* settingsCommand = "Settings…";
inline constexpr const char* quit = "Quit";
inline constexpr const char* help = "Brindle Help";
inline constexpr const char* checkForUpdates = "Check for Updates";

// The main window.
inline constexpr const char* toolbar = "Toolbar";
inline constexpr const char* hideSidebar = "Hide Sidebar";
inline constexpr const char* showSidebar = "Show Sidebar";
inline constexpr const char* status = "Status";
inline constexpr const char* places = "Places";

// The overview.
inline constexpr const char* overview = "Overview";
inline constexpr const char* scale = "Scale";
inline constexpr const char* byNumberOfFiles = "By number of files";
inline constexpr const char* bySize = "By size";
// Between the choices of a segmented control, read out as its name: "By number of files or By size".
inline constexpr const char* orBetweenChoices = " or ";

// The folder list and one folder.
inline constexpr const char* folders = "Folders";
inline constexpr const char* notCheckedYet = "Not checked yet";

// The backup drive.
inline constexpr const char* yourBackupDrive = "Your backup drive";
inline constexpr const char* anotherBackupDrive = "Another backup drive";
inline constexpr const char* newestBackup = "The newest backup";

// Photos.
inline constexpr const char* photosTitle = "Photos: a check only you can make";
inline constexpr const char* photosText = "Photos doesn’t tell other apps which pictures are in iCloud, so this is a "
                                          "minute’s look rather than a number. Brindle never asks for access to your "
                                          "photos.";
inline constexpr const char* checkPhotos = "Check Photos";
inline constexpr const char* photosGuideTitle = "Where your photos live";
inline constexpr const char* photosGuideSteps[] = {
    "Open Photos, then choose Photos › Settings and click iCloud.",
    "If iCloud Photos is off, your pictures have one copy, on this computer, until you have a backup.",
    "If it’s on with “Optimise Mac Storage”, the full-size originals of many pictures are only in iCloud, and a backup "
    "of this computer doesn’t have them. “Download Originals to this Mac” keeps them here too."};
inline constexpr const char* photosNeverAsked = "Brindle never asks for access to your photos.";
inline constexpr const char* done = "Done";
inline constexpr const char* openPhotos = "Open Photos";

// History.
inline constexpr const char* history = "History";
inline constexpr const char* checks = "Checks";

// Marks.
inline constexpr const char* needsYou = "Needs you";
inline constexpr const char* onlyInTheCloud = "Only in the cloud";
inline constexpr const char* twoCopies = "Two copies";
inline constexpr const char* fine = "Fine";

// Settings.
inline constexpr const char* settingsTitle = "Brindle Settings";
inline constexpr const char* backupDrives = "Backup drives";
inline constexpr const char* keepWatch = "Keep watch";
inline constexpr const char* checkEveryWeek = "Check every week";
inline constexpr const char* noteOldBackup = "Note when the last backup is more than a week old";
inline constexpr const char* noteDriveAway = "Note when the drive hasn’t been connected for a week";
inline constexpr const char* noteMoreWithout = "Note when the count with no second copy grows";
inline constexpr const char* showInTray = "Show in the system tray";
inline constexpr const char* noTray = "This desktop shows no tray items, so the item can’t appear here.";
inline constexpr const char* openAtLogin = "Open at login";
inline constexpr const char* watchFootnote =
    "Notes come from Brindle as notifications. With any of these on, closing the window leaves Brindle running.";
inline constexpr const char* remove = "Remove";
inline constexpr const char* removeNamed = "Remove %1"; // %1: the folder's or drive's name
inline constexpr const char* noneChosen = "None chosen";

// The welcome sheet.
inline constexpr const char* welcomeTitle = "Welcome to Brindle";

// Printing.
inline constexpr const char* printReport = "Print Report";
inline constexpr const char* printFailed =
    "The report could not be printed. Check the printer, or the file and folder chosen, and try again.";

} // namespace brindle::words
