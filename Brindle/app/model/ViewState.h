// ViewState: what the windows show and how they stand, kept apart from what was found: the
// sidebar selection, the welcome and Photos sheets, the tray switch and the main window's
// frame. Views set it and follow it; nothing here reads a disk.
//
// Threads: lives on the main thread; every member is called there and every signal is emitted
// there, only when a value really changed (the requests excepted, which are emitted on
// every call).
//
// Errors: a stored value that does not decode reads as absent; failed writes of the settings
// are not reported (the next write tries again).
#pragma once

#include "Brindle/app/model/Section.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsStore.h"

#include <QObject>

#include <optional>

namespace brindle {

class ViewState final : public QObject {
    Q_OBJECT
public:
    // Starts at `selection`, with the tray switch as stored.
    ViewState(SettingsStore& settings, std::optional<Section> selection, QObject* parent = nullptr);

    const std::optional<Section>& selection() const { return selection_; }
    void setSelection(std::optional<Section> selection);
    bool showWelcome() const { return showWelcome_; }
    void setShowWelcome(bool show);
    bool showPhotos() const { return showPhotos_; }
    void setShowPhotos(bool show);
    // Stored at once.
    bool showInMenuBar() const { return showInMenuBar_; }
    void setShowInMenuBar(bool show);

    // The main window's frame as last kept, never smaller than `minimum` (width, height).
    std::optional<Stored::WindowFrame> mainWindowFrame(int minimumWidth, int minimumHeight) const;
    void keepMainWindowFrame(const Stored::WindowFrame& frame);

    void requestMainWindow() { emit showMainWindowRequested(); }
    void requestSettings() { emit settingsWindowRequested(); }
    void requestDriveFormats() { emit driveFormatsRequested(); }

signals:
    void selectionChanged();
    void showWelcomeChanged(bool show);
    void showPhotosChanged(bool show);
    void showInMenuBarChanged(bool show);
    void showMainWindowRequested();
    void settingsWindowRequested();
    void driveFormatsRequested();

private:
    SettingsStore& settings_;
    std::optional<Section> selection_;
    bool showWelcome_ = false;
    bool showPhotos_ = false;
    bool showInMenuBar_ = false;
};

} // namespace brindle
