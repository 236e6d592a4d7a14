#include "Brindle/app/services/Pickers.h"

#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace brindle {

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
