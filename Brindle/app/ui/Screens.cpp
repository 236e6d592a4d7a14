#include "Brindle/app/ui/Screens.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/ui/AllFoldersView.h"
#include "Brindle/app/ui/CloudView.h"
#include "Brindle/app/ui/DriveView.h"
#include "Brindle/app/ui/FolderView.h"
#include "Brindle/app/ui/HistoryView.h"
#include "Brindle/app/ui/OverviewScreen.h"
#include "Brindle/app/ui/PhotosView.h"
#include "Brindle/app/ui/Screen.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace brindle {

namespace {
QString titleOf(AppModel& model, const Section& section)
{
    using SectionKind = Section::Kind;
    switch (section.kind) {
    case SectionKind::overview:
        return QStringLiteral("Overview");
    case SectionKind::allFolders:
        return QStringLiteral("All folders");
    case SectionKind::noSecondCopy:
        return QStringLiteral("No second copy");
    case SectionKind::changedThisWeek:
        return QStringLiteral("Changed this week");
    case SectionKind::folder: {
        const auto tally = model.folder(section.path);
        return QString::fromStdString(tally ? tally->name : section.path);
    }
    case SectionKind::iCloudDrive:
        return QStringLiteral("iCloud Drive");
    case SectionKind::backupDrive:
        return QStringLiteral("Backup drive");
    case SectionKind::photos:
        return QStringLiteral("Photos");
    case SectionKind::history:
        return QStringLiteral("History");
    }
    return {};
}

// A screen that shows only the selection's name.
QWidget* namedScreen(const QString& title, QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* page = new ScreenPage(area);
    page->column()->addWidget(label(title, T::title(28), T::Colour::text, page));
    page->column()->addStretch(1);
    area->setWidget(page);
    area->setAccessibleName(title);
    return area;
}
} // namespace

QWidget* makeScreen(AppModel& model, const Section& section, QWidget* parent)
{
    using SectionKind = Section::Kind;
    using placeTexts::Filter;
    switch (section.kind) {
    case SectionKind::overview:
        return new OverviewScreen(model, parent);
    case SectionKind::allFolders:
        return new AllFoldersView(model, Filter::all, parent);
    case SectionKind::noSecondCopy:
        return new AllFoldersView(model, Filter::noSecondCopy, parent);
    case SectionKind::changedThisWeek:
        return new AllFoldersView(model, Filter::changedThisWeek, parent);
    case SectionKind::folder:
        return new FolderView(model, section.path, parent);
    case SectionKind::iCloudDrive:
        return new CloudView(model, parent);
    case SectionKind::backupDrive:
        return new DriveView(model, parent);
    case SectionKind::photos:
        return new PhotosView(model, parent);
    case SectionKind::history:
        return new HistoryView(model, parent);
    }
    return namedScreen(titleOf(model, section), parent);
}

} // namespace brindle
