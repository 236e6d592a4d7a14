#include "Brindle/app/services/LoginItem.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Translation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brindle {

namespace {

// The error shown under the setting; `reason` is the system's.
QString refused(const std::string& reason)
{
    // TRANSLATORS: {reason} says why, e.g. the system's "Permission denied".
    return QString::fromStdString(
        fill(translated("settings: a change the system refused", "The system didn’t accept that: {reason}"),
             {{"reason", reason}}));
}

class AutostartEntry final : public LoginItem {
public:
    AutostartEntry(QString executable, QString path) : executable_(std::move(executable)), path_(std::move(path)) {}

    bool isEnabled() const override
    {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        static const QRegularExpression hidden(QStringLiteral("^\\s*Hidden\\s*=\\s*true\\s*$"),
                                               QRegularExpression::MultilineOption);
        return !hidden.match(QString::fromUtf8(file.read(1 << 20))).hasMatch();
    }

    std::optional<QString> setEnabled(bool on) override
    {
        const std::string path = QFile::encodeName(path_).toStdString();
        if (!on) {
            if (::unlink(path.c_str()) != 0 && errno != ENOENT)
                return refused(std::strerror(errno));
            return std::nullopt;
        }
        const std::string folder = QFile::encodeName(QFileInfo(path_).path()).toStdString();
        if (!makeFolders(folder))
            return refused(
                fill(translated("settings: a change the system refused", "the folder {folder} could not be made"),
                     {{"folder", QFileInfo(path_).path().toStdString()}}));
        const QString entry = QStringLiteral("[Desktop Entry]\n"
                                             "Type=Application\n"
                                             "Name=Brindle\n"
                                             "Comment=Tells you which files have no second copy\n"
                                             "Exec=%1\n"
                                             "Icon=app.brindle.Brindle\n"
                                             "X-GNOME-Autostart-enabled=true\n")
                                  .arg(desktopExecValue(executable_));
        std::string error;
        if (!writeFileAtomically(path, entry.toStdString(), &error))
            return refused(error);
        return std::nullopt;
    }

private:
    QString executable_;
    QString path_;
};

} // namespace

QString autostartEntryPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.startsWith(QLatin1Char('/')))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/app.brindle.Brindle.desktop");
}

std::unique_ptr<LoginItem> makeLoginItem(const QString& executable, const QString& entryPath)
{
    return std::make_unique<AutostartEntry>(executable, entryPath);
}

QString desktopExecValue(const QString& program)
{
    // Quoting rules first (inside double quotes, \ " ` $ take a backslash), then the
    // general escaping of string values (\ becomes \\), then % doubled for field codes.
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted;
}

} // namespace brindle
