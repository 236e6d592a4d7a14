// Pickers as Qt's own file dialog. The desktop portal's chooser (what the native dialog
// becomes) picks one folder at a time in Qt 6.4, so the toolkit's dialog is used, with its
// lists switched to extended selection: several folders in one pick, on every desktop.
#include "Brindle/app/services/Pickers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace brindle {

namespace {

class DialogPickers final : public Pickers {
public:
    QStringList chooseFolders(const QString& startIn) override
    {
        QFileDialog dialog(QApplication::activeWindow(), PickerTexts::foldersMessage(), startIn);
        prepare(dialog, PickerTexts::foldersPrompt());
        for (auto* view : dialog.findChildren<QAbstractItemView*>())
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }

    std::optional<QString> chooseDrive(const QString& startIn) override
    {
        QFileDialog dialog(QApplication::activeWindow(), PickerTexts::driveMessage(), startIn);
        prepare(dialog, PickerTexts::drivePrompt());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    void alert(const QString& message, const QString& informativeText) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setIcon(QMessageBox::Information);
        box.setText(message);
        box.setInformativeText(informativeText);
        box.exec();
    }

private:
    static void prepare(QFileDialog& dialog, const QString& prompt)
    {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setLabelText(QFileDialog::Accept, prompt);
        dialog.setWindowModality(Qt::ApplicationModal);
    }
};

} // namespace

std::unique_ptr<Pickers> makeDialogPickers() { return std::make_unique<DialogPickers>(); }

} // namespace brindle
