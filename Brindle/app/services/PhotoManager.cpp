#include "Brindle/app/services/PhotoManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <array>

namespace brindle {

namespace {

constexpr std::array<const char*, 7> photoManagers{
    "org.gnome.Shotwell.desktop", "shotwell.desktop",         "org.kde.digikam.desktop", "digikam.desktop",
    "org.gnome.gThumb.desktop",   "org.gnome.Photos.desktop", "gthumb.desktop",
};

// The keys of the [Desktop Entry] group, values with the general escapes (\s \n \t \r \\) undone.
QHash<QString, QString> desktopEntry(const QString& path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    bool inEntry = false;
    for (const QString& line : QString::fromUtf8(file.read(1 << 20)).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            inEntry = trimmed == QLatin1String("[Desktop Entry]");
            continue;
        }
        const auto equals = trimmed.indexOf(QLatin1Char('='));
        if (!inEntry || trimmed.startsWith(QLatin1Char('#')) || equals <= 0)
            continue;
        QString value;
        const QString raw = trimmed.mid(equals + 1).trimmed();
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] != QLatin1Char('\\') || i + 1 == raw.size()) {
                value += raw[i];
                continue;
            }
            const QChar next = raw[++i];
            value += next == QLatin1Char('s')   ? QChar(' ')
                     : next == QLatin1Char('n') ? QChar('\n')
                     : next == QLatin1Char('t') ? QChar('\t')
                     : next == QLatin1Char('r') ? QChar('\r')
                                                : next;
            if (next != QLatin1Char('s') && next != QLatin1Char('n') && next != QLatin1Char('t') &&
                next != QLatin1Char('r') && next != QLatin1Char('\\'))
                value.insert(value.size() - 1, QLatin1Char('\\')); // kept for the quoting rules
        }
        keys.insert(trimmed.left(equals).trimmed(), value);
    }
    return keys;
}

} // namespace

QStringList xdgDataFolders()
{
    QStringList folders;
    const QString home = qEnvironmentVariable("XDG_DATA_HOME");
    folders << (home.startsWith(QLatin1Char('/')) ? home : QDir::homePath() + QStringLiteral("/.local/share"));
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (dir.startsWith(QLatin1Char('/')))
            folders << dir;
    return folders;
}

std::optional<PhotoManager> findPhotoManager(const QStringList& dataFolders)
{
    QStringList ids;
    for (const char* id : photoManagers)
        ids << QLatin1String(id);
    return findApplication(ids, dataFolders);
}

std::optional<DesktopApplication> findApplication(const QStringList& desktopIds, const QStringList& dataFolders)
{
    for (const QString& id : desktopIds) {
        for (const QString& folder : dataFolders) {
            const QString path = folder + QStringLiteral("/applications/") + id;
            if (!QFile::exists(path))
                continue;
            // The first entry of an id hides the later ones, whatever it says.
            const auto keys = desktopEntry(path);
            const QStringList command = execCommand(keys.value(QStringLiteral("Exec")));
            const QString tryExec = keys.value(QStringLiteral("TryExec"));
            const bool installed = tryExec.isEmpty() || !QStandardPaths::findExecutable(tryExec).isEmpty() ||
                                   (tryExec.startsWith(QLatin1Char('/')) && QFileInfo(tryExec).isExecutable());
            if (keys.value(QStringLiteral("Hidden")) != QLatin1String("true") &&
                keys.value(QStringLiteral("NoDisplay")) != QLatin1String("true") && !command.isEmpty() && installed)
                return DesktopApplication{id, path, command};
            break;
        }
    }
    return std::nullopt;
}

QStringList execCommand(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                current += exec[++i];
            } else if (c == QLatin1Char('%') && i + 1 < exec.size() && exec[i + 1] == QLatin1Char('%')) {
                current += exec[++i];
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = inArgument = true;
        } else if (c == QLatin1Char(' ')) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == QLatin1Char('%') && i + 1 < exec.size()) {
            // Field codes stand for files and URLs we never pass; %% is a percent sign.
            if (exec[++i] == QLatin1Char('%')) {
                current += c;
                inArgument = true;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return {};
    if (inArgument)
        arguments << current;
    return arguments;
}

} // namespace brindle
