#include "Brindle/app/services/WindowSettings.h"

namespace brindle {

WindowSettings::WindowSettings(std::unique_ptr<SettingsStore> file, QObject* parent)
    : QObject(parent), file_(std::move(file))
{
    retry_.setInterval(retryInterval);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (file_->writePending() || ++retries_ >= maximumRetries)
            retry_.stop();
    });
}

bool WindowSettings::setValue(std::string_view key, JsonIn value)
{
    return retryWhilePending(file_->setValue(key, std::move(value)));
}

bool WindowSettings::remove(std::string_view key) { return retryWhilePending(file_->remove(key)); }

bool WindowSettings::writePending() { return retryWhilePending(file_->writePending()); }

bool WindowSettings::retryWhilePending(bool written)
{
    if (!file_->hasPending()) {
        retry_.stop();
    } else if (!retry_.isActive()) { // also after the tries ran out: this change starts them again
        retries_ = 0;
        retry_.start();
    }
    return written;
}

std::unique_ptr<WindowSettings> makeWindowSettings(std::string path)
{
    return std::make_unique<WindowSettings>(makeSettingsFile(std::move(path), clockNow, std::chrono::milliseconds{0}));
}

} // namespace brindle
