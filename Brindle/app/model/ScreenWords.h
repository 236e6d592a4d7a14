// The fixed words of the window's screens, sheets, menus and tray: buttons, titles, captions
// and the names read out to assistive technology, each in the chosen language when it is
// asked for (call them at use, never once at start-up). Texts that depend on the check result
// are built by the presentation functions beside this file; the widgets only lay them out.
#pragma once

#include "BrindleCore/Translation.h"

#include <string>
#include <vector>

namespace brindle::words {

// Shared buttons.
inline std::string chooseFolders() { return translated("button", "Choose Folders"); }
inline std::string chooseDrive() { return translated("button", "Choose Drive"); }
inline std::string addFolder() { return translated("button", "Add Folder"); }
inline std::string addAnotherDrive() { return translated("button", "Add Another Drive"); }
inline std::string chooseAnotherDrive() { return translated("button", "Choose Another Drive"); }
inline std::string openBackupSettings() { return translated("button", "Open Backup Settings"); }
inline std::string showInFiles() { return translated("button", "Show in Files"); }
inline std::string checkAgain() { return translated("button", "Check Again"); }
inline std::string openBrindle() { return translated("button", "Open Brindle"); }
inline std::string brindle() { return translated("the program's name", "Brindle"); }

// Menus.
inline std::string fileMenu() { return translated("menu, & marks the access key", "&File"); }
inline std::string windowMenu() { return translated("menu, & marks the access key", "&Window"); }
inline std::string helpMenu() { return translated("menu, & marks the access key", "&Help"); }
inline std::string chooseFoldersCommand() { return translated("menu item", "Choose Folders…"); }
inline std::string printReportCommand() { return translated("menu item", "Print Report…"); }
inline std::string settingsCommand() { return translated("menu item", "Settings…"); }
inline std::string quit() { return translated("menu item", "Quit"); }
inline std::string help() { return translated("menu item", "Brindle Help"); }
inline std::string checkForUpdates() { return translated("menu item", "Check for Updates"); }

// The main window.
inline std::string toolbar() { return translated("main window: the toolbar's name", "Toolbar"); }
inline std::string hideSidebar() { return translated("main window: toolbar button", "Hide Sidebar"); }
inline std::string showSidebar() { return translated("main window: toolbar button", "Show Sidebar"); }
inline std::string status() { return translated("main window: name read out for the status line", "Status"); }
inline std::string places() { return translated("main window: name read out for the sidebar", "Places"); }

// The overview.
inline std::string overview() { return translated("overview: name read out for the screen", "Overview"); }
inline std::string scale() { return translated("overview: caption of the scale's choice", "Scale"); }
inline std::string byNumberOfFiles() { return translated("overview: scale choice", "By number of files"); }
inline std::string bySize() { return translated("overview: scale choice", "By size"); }
// Between the choices of a segmented control, read out as its name: "By number of files or By size".
inline std::string orBetweenChoices()
{
    // TRANSLATORS: read out between the choices of a switch: "By number of files or By size".
    return translated("name read out for a choice of two", " or ");
}

// The folder list and one folder.
inline std::string folders() { return translated("folder list: name read out; settings: section", "Folders"); }
inline std::string notCheckedYet() { return translated("folder screen: title before any check", "Not checked yet"); }

// The backup drive.
inline std::string yourBackupDrive() { return translated("drive screen: card heading", "Your backup drive"); }
inline std::string anotherBackupDrive() { return translated("drive screen: card heading", "Another backup drive"); }
inline std::string yourBackups() { return translated("drive screen: card heading", "Your backups"); }
inline std::string newestBackup() { return translated("drive screen: card heading", "The newest backup"); }

// Photos.
inline std::string photosTitle() { return translated("photos screen: title", "Where your photos live"); }
inline std::string photosText()
{
    return translated("photos screen: text",
                      "Choose the folders that hold your pictures, and Brindle counts them like any other file.");
}
inline std::string checkPhotos()
{
    return translated("photos screen: button; photos guide: window title", "Check Photos");
}
inline std::string photosGuideTitle() { return translated("photos guide: title", "Where your photos live"); }
inline std::vector<std::string> photosGuideSteps()
{
    return {translated("photos guide: step",
                       "Your photos are ordinary files, usually in Pictures. Brindle counts them in the folders you "
                       "chose, like any other file."),
            translated("photos guide: step",
                       "A photo manager such as Shotwell or digiKam keeps your albums, tags and edits in a catalogue "
                       "of its own. Shotwell’s is in ~/.local/share/shotwell; digiKam’s is where its settings say, "
                       "often in Pictures."),
            translated("photos guide: step",
                       "Add the catalogue’s folder to Brindle, or make sure your backup takes it, so your albums and "
                       "edits have a second copy too.")};
}
inline std::string photosNeverAsked()
{
    return translated("photos screen and guide: footnote", "Brindle never asks for access to your photos.");
}
inline std::string done() { return translated("button that closes a sheet", "Done"); }
inline std::string openPictures() { return translated("photos screen: button", "Open Pictures"); }
inline std::string openManager(const std::string& manager)
{
    // TRANSLATORS: {manager} is a photo manager's name: Shotwell or digiKam.
    return fill(translated("photos screen: button", "Open {manager}"), {{"manager", manager}});
}

// Which drives work.
inline std::string driveFormatsTitle()
{
    return translated("drive formats sheet: title", "Which drives work for backups");
}
inline std::vector<std::string> driveFormatsText()
{
    return {translated("drive formats sheet: paragraph",
                       "Brindle reads the file system of each backup drive and compares it with what the backup tool "
                       "needs. It never formats or changes a drive."),
            translated("drive formats sheet: paragraph",
                       "Tools that keep each backup as hard-linked copies (Back In Time, Timeshift, rsnapshot) need a "
                       "file system with hard links and Unix permissions: ext2, ext3, ext4, Btrfs, XFS, F2FS or ZFS. "
                       "Brindle says so when their drive is FAT32 (vfat), exFAT or NTFS."),
            translated("drive formats sheet: paragraph",
                       "Tools that keep a repository (Déjà Dup, duplicity, restic, borg, rdiff-backup) work on any "
                       "drive they can write to, FAT32, exFAT and NTFS included. Only read-only file systems such as "
                       "ISO 9660, UDF and SquashFS can’t hold them."),
            translated("drive formats sheet: paragraph",
                       "Until a drive holds a backup, Brindle can’t tell which tool will use it, so it asks what the "
                       "hard-linking tools need."),
            translated("drive formats sheet: paragraph",
                       "A network share (NFS, SMB, sshfs) is judged by the name of its file system alone, because "
                       "Brindle can’t see the disk behind it: it counts as a drive without hard links."),
            translated("drive formats sheet: paragraph",
                       "Reformatting a drive erases it. Copy anything you need from it first, then use your desktop’s "
                       "disk tool, such as Disks or KDE Partition Manager.")};
}

// History.
inline std::string history() { return translated("history screen: name read out", "History"); }
inline std::string checks() { return translated("history screen: name read out for the list of checks", "Checks"); }

// Marks.
inline std::string needsYou() { return translated("mark: name read out", "Needs you"); }
inline std::string onlyInTheCloud() { return translated("mark: name read out", "Only in the cloud"); }
inline std::string twoCopies() { return translated("mark: name read out", "Two copies"); }
inline std::string fine() { return translated("mark: name read out", "Fine"); }

// Settings.
inline std::string settingsTitle() { return translated("settings: window title", "Brindle Settings"); }
inline std::string backupDrives() { return translated("settings: section", "Backup drives"); }
inline std::string keepWatch() { return translated("settings: section", "Keep watch"); }
inline std::string checkEveryWeek() { return translated("settings: switch", "Check every week"); }
inline std::string noteOldBackup()
{
    return translated("settings: switch", "Note when the last backup is more than a week old");
}
inline std::string noteDriveAway()
{
    return translated("settings: switch", "Note when the drive hasn’t been connected for a week");
}
inline std::string noteMoreWithout()
{
    return translated("settings: switch", "Note when the count with no second copy grows");
}
inline std::string showInTray() { return translated("settings: switch", "Show in the system tray"); }
inline std::string noTray()
{
    return translated("settings: note under the tray switch",
                      "This desktop shows no tray items, so the item can’t appear here.");
}
inline std::string openAtLogin() { return translated("settings: switch", "Open at login"); }
inline std::string watchFootnote()
{
    return translated("settings: footnote",
                      "Notes come from Brindle as notifications. With any of these on, closing the window leaves "
                      "Brindle running.");
}
inline std::string remove() { return translated("settings: button", "Remove"); }
inline std::string removeNamed(const std::string& name)
{
    // TRANSLATORS: read out for the Remove button; {name} is a folder's or a drive's name.
    return fill(translated("settings: button's name read out", "Remove {name}"), {{"name", name}});
}
inline std::string noneChosen() { return translated("settings: in place of a list", "None chosen"); }

// The welcome sheet.
inline std::string welcomeTitle() { return translated("welcome sheet: window title", "Welcome to Brindle"); }

// Printing.
inline std::string printReport() { return translated("print dialog: title", "Print Report"); }
inline std::string printFailed()
{
    return translated("print dialog: warning",
                      "The report could not be printed. Check the printer, or the file and folder chosen, and try "
                      "again.");
}

} // namespace brindle::words
