#include "Brindle/app/model/ViewState.h"

#include "Brindle/app/model/Replace.h"
#include "Brindle/app/services/SettingsKeys.h"

#include <algorithm>

namespace brindle {

ViewState::ViewState(SettingsStore& settings, std::optional<Section> selection, QObject* parent)
    : QObject(parent), settings_(settings), selection_(std::move(selection)),
      showInMenuBar_(Stored::flag(settings, settingKeys::menuBar))
{
}

void ViewState::setSelection(std::optional<Section> selection)
{
    if (replace(selection_, std::move(selection)))
        emit selectionChanged();
}

void ViewState::setShowWelcome(bool show)
{
    if (replace(showWelcome_, show))
        emit showWelcomeChanged(show);
}

void ViewState::setShowPhotos(bool show)
{
    if (replace(showPhotos_, show))
        emit showPhotosChanged(show);
}

void ViewState::setShowInMenuBar(bool show)
{
    if (!replace(showInMenuBar_, show))
        return;
    emit showInMenuBarChanged(show);
    settings_.setValue(settingKeys::menuBar, show);
}

std::optional<Stored::WindowFrame> ViewState::mainWindowFrame(int minimumWidth, int minimumHeight) const
{
    auto frame = Stored::frame(settings_, settingKeys::mainWindow);
    if (frame) {
        frame->width = std::max(frame->width, minimumWidth);
        frame->height = std::max(frame->height, minimumHeight);
    }
    return frame;
}

void ViewState::keepMainWindowFrame(const Stored::WindowFrame& frame)
{
    if (Stored::frame(settings_, settingKeys::mainWindow) != frame)
        Stored::saveFrame(settings_, settingKeys::mainWindow, frame);
}

} // namespace brindle
