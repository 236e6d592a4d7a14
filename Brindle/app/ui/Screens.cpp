#include "Brindle/app/ui/Screens.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/ui/AllFoldersView.h"
#include "Brindle/app/ui/CloudView.h"
#include "Brindle/app/ui/DriveView.h"
#include "Brindle/app/ui/FolderView.h"
#include "Brindle/app/ui/HistoryView.h"
#include "Brindle/app/ui/OverviewScreen.h"
#include "Brindle/app/ui/PhotosView.h"

namespace brindle {

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
    return new OverviewScreen(model, parent); // not reached: every kind has its screen
}

} // namespace brindle
