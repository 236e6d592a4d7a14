// The settings as the window keeps them: the settings file (SettingsStore.h), whose writes
// never wait for another process's lock, since the window writes from its main thread.
//
// A change that finds the lock held stays pending in the file store, so it already shows in
// `value`; this store tries again every half second, without waiting, while changes are
// pending, for at most ten minutes; after that the next change starts the tries again.
// Lives on the main thread; its timer fires there.
#pragma once

#include "Brindle/app/services/SettingsStore.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

namespace brindle {

class WindowSettings final : public QObject, public SettingsStore {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds retryInterval{500};
    static constexpr int maximumRetries = 1200;

    explicit WindowSettings(std::unique_ptr<SettingsStore> file, QObject* parent = nullptr);

    std::optional<JsonIn> value(std::string_view key) override { return file_->value(key); }
    bool setValue(std::string_view key, JsonIn value) override;
    bool remove(std::string_view key) override;
    std::string lastError() const override { return file_->lastError(); }
    bool hasPending() const override { return file_->hasPending(); }
    bool writePending() override;

private:
    bool retryWhilePending(bool written);

    std::unique_ptr<SettingsStore> file_;
    QTimer retry_;
    int retries_ = 0;
};

// The window's settings, on the file at `path`.
std::unique_ptr<WindowSettings> makeWindowSettings(std::string path = settingsFilePath());

} // namespace brindle
