// Asking the person for folders and drives, and telling them something that needs a click.
//
// Each call is modal: it returns when the person has answered. Cancelling a picker gives an
// empty list or absent. The folder picker lets several folders be chosen at once. Main thread.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace brindle {

// The pickers' texts, in the chosen language.
namespace PickerTexts {
QString foldersPrompt();
QString foldersMessage();
QString drivePrompt();
QString driveMessage();
} // namespace PickerTexts

class Pickers {
public:
    virtual ~Pickers() = default;

    // The chosen folders, in the order chosen; empty when cancelled.
    virtual QStringList chooseFolders(const QString& startIn) = 0;
    virtual std::optional<QString> chooseDrive(const QString& startIn) = 0;
    virtual void alert(const QString& message, const QString& informativeText) = 0;
};

// Where removable drives are mounted for this user: the first existing of /run/media/<user>,
// /media/<user>, /media and /mnt; the root folder when none is.
QString drivesFolder();

// Dialogs of the application's own toolkit. Needs a QApplication.
std::unique_ptr<Pickers> makeDialogPickers();

} // namespace brindle
