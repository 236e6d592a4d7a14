#include "Brindle/app/ui/Screens.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/ui/OverviewScreen.h"
#include "Brindle/app/ui/Screen.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace brindle {

namespace {
QString titleOf(AppModel& model, const Section& section)
{
    using Kind = Section::Kind;
    switch (section.kind) {
    case Kind::overview:
        return QStringLiteral("Overview");
    case Kind::allFolders:
        return QStringLiteral("All folders");
    case Kind::noSecondCopy:
        return QStringLiteral("No second copy");
    case Kind::changedThisWeek:
        return QStringLiteral("Changed this week");
    case Kind::folder: {
        const auto tally = model.folder(section.path);
        return QString::fromStdString(tally ? tally->name : section.path);
    }
    case Kind::iCloudDrive:
        return QStringLiteral("iCloud Drive");
    case Kind::backupDrive:
        return QStringLiteral("Backup drive");
    case Kind::photos:
        return QStringLiteral("Photos");
    case Kind::history:
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
    if (section.kind == Section::Kind::overview)
        return new OverviewScreen(model, parent);
    return namedScreen(titleOf(model, section), parent);
}

} // namespace brindle
