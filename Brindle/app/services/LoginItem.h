// Opening Brindle when the person logs in: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/app.brindle.Brindle.desktop (normally ~/.config/autostart).
//
// Enabled means the entry exists and does not carry Hidden=true (which is how desktops mark
// an entry the person turned off). `setEnabled` writes the entry atomically or removes it;
// on failure it returns "The system didn’t accept that: " followed by the reason, and absent
// on success. Main thread; touches only the local configuration folder.
#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace brindle {

class LoginItem {
public:
    virtual ~LoginItem() = default;

    virtual bool isEnabled() const = 0;
    virtual std::optional<QString> setEnabled(bool on) = 0;
};

QString autostartEntryPath();

// An entry that starts `executable`.
std::unique_ptr<LoginItem> makeLoginItem(const QString& executable, const QString& entryPath = autostartEntryPath());

// The Exec value that runs `program` with no arguments, quoted and escaped as desktop entries
// require.
QString desktopExecValue(const QString& program);

} // namespace brindle
