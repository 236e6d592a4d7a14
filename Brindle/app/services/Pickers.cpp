#include "Brindle/app/services/Pickers.h"

#include "BrindleCore/Translation.h"

#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace brindle {

namespace PickerTexts {
QString foldersPrompt() { return QString::fromStdString(translated("folder picker: button", "Choose")); }
QString foldersMessage()
{
    return QString::fromStdString(
        translated("folder picker: title", "Choose the folders you’d miss. Brindle only reads them."));
}
QString drivePrompt() { return QString::fromStdString(translated("drive picker: button", "Choose Drive")); }
QString driveMessage()
{
    return QString::fromStdString(
        translated("drive picker: title",
                   "Choose the drive your backup tool backs up to. Brindle reads the dates of its backups from it."));
}
} // namespace PickerTexts

QString drivesFolder()
{
    const passwd* user = ::getpwuid(::getuid());
    const QString name = user && user->pw_name ? QString::fromLocal8Bit(user->pw_name) : QString();
    QStringList candidates;
    if (!name.isEmpty())
        candidates << QStringLiteral("/run/media/") + name << QStringLiteral("/media/") + name;
    candidates << QStringLiteral("/media") << QStringLiteral("/mnt");
    for (const QString& folder : candidates)
        if (QFileInfo(folder).isDir())
            return folder;
    return QStringLiteral("/");
}

} // namespace brindle
