#include "Brindle/app/model/Grants.h"

#include "Brindle/app/model/Replace.h"
#include "Brindle/app/model/StoredSettings.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"

#include <QStringList>

namespace brindle {

namespace {
const std::string demoDriveUUID = "DEMO";
} // namespace

Grants::Grants(Services services, bool demo, QObject* parent)
    : QObject(parent), services_(std::move(services)), demo_(demo), folders_(Stored::grants(services_.settings)),
      undecodable_(Stored::undecodableGrants(services_.settings)), drives_(Stored::drives(services_.settings))
{
}

void Grants::setFolders(std::vector<Grant> folders)
{
    if (replace(folders_, std::move(folders)))
        emit foldersChanged();
}

void Grants::setDrives(std::vector<Grant> drives)
{
    if (replace(drives_, std::move(drives)))
        emit drivesChanged();
}

void Grants::showDemo(const CheckResult& result, bool withDrive)
{
    folders_.clear();
    for (const FolderTally& folder : result.folders)
        folders_.push_back({folder.name, folder.path, {}});
    drives_.clear();
    if (withDrive)
        drives_.push_back({"Backup", "/media/you/Backup", {}, demoDriveUUID});
}

void Grants::save()
{
    if (!demo_)
        Stored::saveGrants(services_.settings, folders_, drives_);
}

std::string Grants::iCloudDrivePath() const { return services_.home + "/Library/Mobile Documents/com~apple~CloudDocs"; }

std::optional<Grant> Grants::folderHolding(const std::string& path) const
{
    const std::string resolved = resolvedPath(path);
    for (const Grant& grant : folders_)
        if (isSameOrInside(resolved, resolvedPath(grant.path)))
            return grant;
    return std::nullopt;
}

std::optional<std::string> Grants::addGrant(const std::string& path)
{
    const std::string resolved = resolvedPath(path);
    if (const auto holder = folderHolding(path); holder && resolvedPath(holder->path) != resolved)
        return holder->name;
    auto token = services_.tokens.create(path);
    if (!token)
        return std::nullopt;
    const std::string name = path == iCloudDrivePath() ? "iCloud Drive" : std::string(lastPathComponent(path));
    std::vector<Grant> folders;
    for (const Grant& grant : folders_)
        if (!isSameOrInside(resolvedPath(grant.path), resolved))
            folders.push_back(grant);
    folders.push_back({name, path, std::move(*token)});
    setFolders(std::move(folders));
    return std::nullopt;
}

void Grants::chooseFolders()
{
    const QStringList chosenPaths = services_.pickers.chooseFolders(QString::fromStdString(services_.home));
    if (chosenPaths.isEmpty())
        return;
    std::vector<PhraseValues> inside;
    for (const QString& path : chosenPaths)
        if (const auto holder = addGrant(path.toStdString()))
            inside.push_back({{"folder", std::string(lastPathComponent(path.toStdString()))}, {"holder", *holder}});
    save();
    emit chosen();
    if (inside.empty())
        return;
    std::string notes;
    for (std::size_t i = 0; i + 1 < inside.size(); ++i)
        // TRANSLATORS: {folder} was just chosen and lies inside {holder}, a folder chosen before.
        notes += fill(translated("folder chooser: alert", "{folder} is inside {holder}."), inside[i]) + " ";
    notes += fill(translated("folder chooser: alert", "{folder} is inside {holder}, which you’ve already chosen."),
                  inside.back());
    services_.pickers.alert(
        QString::fromStdString(notes),
        QString::fromStdString(
            translated("folder chooser: alert", "Its files are counted there, so they aren’t counted twice.")));
}

void Grants::remove(const Grant& grant)
{
    std::vector<Grant> folders = folders_;
    std::erase(folders, grant);
    setFolders(std::move(folders));
    save();
    emit chosen();
}

void Grants::chooseDrive(bool adding, const std::string& startIn)
{
    const auto picked =
        services_.pickers.chooseDrive(QString::fromStdString(startIn.empty() ? services_.drivesFolder : startIn));
    if (picked)
        addDrive(picked->toStdString(), adding);
}

void Grants::addDrive(const std::string& path, bool adding)
{
    // An empty mount point lies on the system disk: it is not the drive the person meant.
    if (Drive::read(path, services_.clock(), services_.calendar()).problem == Drive::Problem::notMounted) {
        // TRANSLATORS: {path} is the folder chosen as the drive: "/media/you/Backup".
        services_.pickers.alert(
            QString::fromStdString(
                fill(translated("drive chooser: alert", "No drive is connected at “{path}”."), {{"path", path}})),
            QString::fromStdString(translated("drive chooser: alert",
                                              "Connect the backup drive, then choose the folder where it appears.")));
        return;
    }
    auto token = services_.tokens.create(path);
    if (!token)
        return;
    const auto facts = services_.volumes.facts(path);
    const std::optional<std::string> uuid = facts ? facts->uuid : std::nullopt;
    Grant grant{std::string(lastPathComponent(path)), path, std::move(*token), uuid};
    std::vector<Grant> drives;
    if (adding)
        for (const Grant& drive : drives_)
            if (drive.uuid != uuid && drive.path != path)
                drives.push_back(drive);
    drives.push_back(std::move(grant));
    setDrives(std::move(drives));
    if (uuid)
        emit driveSeen(*uuid);
    save();
    emit chosen();
}

void Grants::removeDrive(const Grant& drive)
{
    std::vector<Grant> drives = drives_;
    std::erase(drives, drive);
    setDrives(std::move(drives));
    save();
    emit chosen();
}

std::set<std::string> Grants::driveUUIDs() const
{
    std::set<std::string> uuids;
    for (const Grant& drive : drives_)
        if (drive.uuid)
            uuids.insert(*drive.uuid);
    return uuids;
}

} // namespace brindle
