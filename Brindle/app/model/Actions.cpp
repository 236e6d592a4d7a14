#include "Brindle/app/model/Actions.h"

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/OpenKeys.h"
#include "BrindleCore/BackupTools.h"

#include <QStandardPaths>
#include <QUrl>

namespace brindle {

Actions::Actions(Desktop& desktop, LoginItem& loginItem, const Guide& guide, Parts parts)
    : desktop_(desktop), loginItem_(loginItem), guide_(guide), parts_(parts)
{
}

void Actions::open(std::string_view key)
{
    if (key == openKeys::chooseDrive) {
        chooseDrive(false);
    } else if (key == openKeys::photosGuide) {
        parts_.view.setShowPhotos(true);
    } else if (key == openKeys::fileManager) {
        revealSelected();
    } else if (key == openKeys::settings) {
        parts_.view.requestSettings();
    } else if (key == openKeys::driveFormats) {
        parts_.view.requestDriveFormats();
    } else if ((key == openKeys::backupSettings || key == openKeys::backupHelp) && openBackupTool()) {
        return;
    } else if ((key == openKeys::cloudSettings || key == openKeys::cloudHelp) &&
               openCloudClient(key == openKeys::cloudSettings)) {
        return;
    } else if (const auto entry = guide_.opens.find(std::string(key));
               entry != guide_.opens.end() && entry->second.url) {
        const QUrl url(QString::fromStdString(*entry->second.url), QUrl::StrictMode);
        if (url.isValid())
            desktop_.openUrl(url);
    }
}

void Actions::revealSelected()
{
    const auto& selection = parts_.view.selection();
    if (selection && selection->kind == Section::Kind::folder && !selection->path.empty())
        desktop_.reveal(QString::fromStdString(parts_.checks.fullPath(selection->path)));
    else if (!parts_.grants.folders().empty())
        desktop_.reveal(QString::fromStdString(parts_.grants.folders().front().path));
}

void Actions::reveal(const std::string& path)
{
    if (const auto tally = parts_.checks.folder(path))
        desktop_.reveal(QString::fromStdString(parts_.checks.fullPath(tally->path)));
}

void Actions::openPhotos()
{
    const auto& result = parts_.checks.result();
    if (!result || !result->photoCatalogue) {
        desktop_.openUrl(QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
        return;
    }
    const QStringList ids =
        result->photoCatalogue->manager == "digiKam"
            ? QStringList{QStringLiteral("org.kde.digikam.desktop"), QStringLiteral("digikam.desktop")}
            : QStringList{QStringLiteral("org.gnome.Shotwell.desktop"), QStringLiteral("shotwell.desktop")};
    if (!desktop_.launchApplication(ids))
        desktop_.openPhotos();
}

void Actions::chooseDrive(bool adding)
{
    const auto suggestion = parts_.drives.suggestedDrive();
    parts_.grants.chooseDrive(adding, suggestion ? suggestion->path : std::string());
}

bool Actions::openAtLogin() const { return loginItem_.isEnabled(); }

std::optional<QString> Actions::setOpenAtLogin(bool on) { return loginItem_.setEnabled(on); }

std::optional<BackupSetup> Actions::backupTool() const
{
    const auto& result = parts_.checks.result();
    if (!result || !result->backupSetups || result->backupSetups->empty())
        return std::nullopt;
    if (result->drive && !result->drive->backups.empty()) {
        const auto making = BackupSetups::making(*result->backupSetups, BackupTools::of(*result->drive).name);
        if (!making.empty())
            return making.front();
    }
    return *BackupSetups::principal(*result->backupSetups);
}

namespace {
QStringList qStrings(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}
} // namespace

bool Actions::canOpenCloudSettings() const
{
    const auto client = presentation::cloudClient(parts_.checks.result());
    if (client.kind == presentation::CloudClient::Kind::iCloud) {
        const auto entry = guide_.opens.find(std::string(openKeys::cloudSettings));
        return entry != guide_.opens.end() && entry->second.url;
    }
    return !client.desktopIds.empty() && desktop_.hasApplication(qStrings(client.desktopIds));
}

bool Actions::openCloudClient(bool settings)
{
    const auto client = presentation::cloudClient(parts_.checks.result());
    if (client.kind == presentation::CloudClient::Kind::iCloud)
        return false;
    // A client not installed, or one without an application, shows its help instead.
    if (settings && !client.desktopIds.empty() && desktop_.launchApplication(qStrings(client.desktopIds)))
        return true;
    if (!client.helpUrl.empty())
        desktop_.openUrl(QUrl(QString::fromStdString(client.helpUrl), QUrl::StrictMode));
    return true;
}

bool Actions::openBackupTool()
{
    const auto setup = backupTool();
    const auto tool = setup ? BackupSetups::tool(setup->tool) : std::nullopt;
    if (!tool)
        return false;
    QStringList ids;
    for (const std::string_view id : tool->desktopIds)
        ids << QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size()));
    if (!desktop_.launchApplication(ids))
        desktop_.openUrl(QUrl(QString::fromUtf8(tool->helpUrl.data(), static_cast<qsizetype>(tool->helpUrl.size()))));
    return true;
}

} // namespace brindle
