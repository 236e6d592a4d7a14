// Desktop, login item and pickers that record what was asked and answer from fields the
// test sets.
#pragma once

#include "Brindle/app/services/Desktop.h"
#include "Brindle/app/services/LoginItem.h"
#include "Brindle/app/services/Pickers.h"

#include <QList>

namespace brindle::test {

class FakeDesktop final : public Desktop {
public:
    QStringList revealed;
    QList<QUrl> opened;
    int photosOpened = 0;
    QList<QStringList> launched;
    bool installed = true; // what launchApplication and hasApplication answer

    void reveal(const QString& path) override { revealed.append(path); }
    bool openUrl(const QUrl& url) override
    {
        opened.append(url);
        return true;
    }
    void openPhotos() override { ++photosOpened; }
    bool launchApplication(const QStringList& desktopIds) override
    {
        launched.append(desktopIds);
        return installed;
    }
    bool hasApplication(const QStringList&) const override { return installed; }
};

class FakeLoginItem final : public LoginItem {
public:
    bool enabled = false;
    std::optional<QString> failure; // returned instead of changing `enabled`

    bool isEnabled() const override { return enabled; }
    std::optional<QString> setEnabled(bool on) override
    {
        if (!failure)
            enabled = on;
        return failure;
    }
};

class FakePickers final : public Pickers {
public:
    QList<QStringList> folderAnswers; // taken one per call; an empty list cancels
    QList<std::optional<QString>> driveAnswers;
    QList<QPair<QString, QString>> alerts;
    QStringList startedIn;

    QStringList chooseFolders(const QString& startIn) override
    {
        startedIn.append(startIn);
        return folderAnswers.isEmpty() ? QStringList() : folderAnswers.takeFirst();
    }
    std::optional<QString> chooseDrive(const QString& startIn) override
    {
        startedIn.append(startIn);
        return driveAnswers.isEmpty() ? std::nullopt : driveAnswers.takeFirst();
    }
    void alert(const QString& message, const QString& informativeText) override
    {
        alerts.append({message, informativeText});
    }
};

} // namespace brindle::test
