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
inline constexpr const char* yourBackups = "Your backups";
inline constexpr const char* newestBackup = "The newest backup";

// Photos.
inline constexpr const char* photosTitle = "Where your photos live";
inline constexpr const char* photosText =
    "Choose the folders that hold your pictures, and Brindle counts them like any "
    "other file.";
inline constexpr const char* checkPhotos = "Check Photos";
inline constexpr const char* photosGuideTitle = "Where your photos live";
inline constexpr const char* photosGuideSteps[] = {
    "Your photos are ordinary files, usually in Pictures. Brindle counts them in the folders you chose, like any "
    "other file.",
    "A photo manager such as Shotwell or digiKam keeps your albums, tags and edits in a catalogue of its own. "
    "Shotwell’s is in ~/.local/share/shotwell; digiKam’s is where its settings say, often in Pictures.",
    "Add the catalogue’s folder to Brindle, or make sure your backup takes it, so your albums and edits have a "
    "second copy too."};
inline constexpr const char* photosNeverAsked = "Brindle never asks for access to your photos.";
inline constexpr const char* done = "Done";
inline constexpr const char* openPictures = "Open Pictures";
inline constexpr const char* openManager = "Open ";

// Which drives work.
inline constexpr const char* driveFormatsTitle = "Which drives work for backups";
inline constexpr const char* driveFormatsText[] = {
    "Brindle reads the file system of each backup drive and compares it with what the backup tool needs. It never "
    "formats or changes a drive.",
    "Tools that keep each backup as hard-linked copies (Back In Time, Timeshift, rsnapshot) need a file system with "
    "hard links and Unix permissions: ext2, ext3, ext4, Btrfs, XFS, F2FS or ZFS. Brindle says so when their drive is "
    "FAT32 (vfat), exFAT or NTFS.",
    "Tools that keep a repository (Déjà Dup, duplicity, restic, borg, rdiff-backup) work on any drive they can "
    "write to, FAT32, exFAT and NTFS included. Only read-only file systems such as ISO 9660, UDF and SquashFS "
    "can’t hold them.",
    "Until a drive holds a backup, Brindle can’t tell which tool will use it, so it asks what the hard-linking "
    "tools need.",
    "A network share (NFS, SMB, sshfs) is judged by the name of its file system alone, because Brindle can’t see "
    "the disk behind it: it counts as a drive without hard links.",
    "Reformatting a drive erases it. Copy anything you need from it first, then use your desktop’s disk tool, such "
    "as Disks or KDE Partition Manager."};

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
