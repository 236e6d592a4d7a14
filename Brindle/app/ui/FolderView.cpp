#include "Brindle/app/ui/FolderView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/OpenKeys.h"
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/CoverageBand.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"
#include "BrindleCore/Words.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace brindle {

FolderView::FolderView(AppModel& model, std::string path, QWidget* parent)
    : QScrollArea(parent), model_(model), path_(std::move(path))
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &FolderView::rebuild);
    rebuild();
}

void FolderView::rebuild()
{
    auto* page = new ScreenPage(this);
    QVBoxLayout* column = page->column();
    const auto tally = model_.checks().folder(path_);
    if (!tally) {
        column->addWidget(label(q(words::notCheckedYet()), T::title(24), T::Colour::muted, page));
    } else {
        column->addWidget(label(q(tally->name), T::semibold(13), T::Colour::accent, page));
        auto* headline = label(q(placeTexts::folderHeadline(*tally)), T::title(28), T::Colour::text, page);
        headline->setWordWrap(true);
        column->addWidget(headline);
        if (placeTexts::offersBackupSettings(*tally)) {
            auto* line = new QHBoxLayout;
            line->addWidget(label(q(placeTexts::folderChangedLine(*tally)), T::text(15), T::Colour::text2, page));
            auto* settings = new PlainButton(q(words::openBackupSettings()), page);
            connect(settings, &QPushButton::clicked, &model_,
                    [this] { model_.actions().open(openKeys::backupSettings); });
            line->addSpacing(12);
            line->addWidget(settings);
            line->addStretch(1);
            column->addLayout(line);
        }
        column->addSpacing(10);
        auto* card = new Card(page);
        auto* heading = new QHBoxLayout;
        heading->addWidget(label(q(tally->name), T::semibold(14), T::Colour::text, card), 1);
        heading->addWidget(label(q(presentation::filesAndSize(*tally)), T::text(13), T::Colour::muted, card));
        card->column()->addLayout(heading);
        card->column()->addWidget(new CoverageBand(*tally, presentation::bandScale({*tally}, true), true, 14, card));
        auto* kinds = label(q(placeTexts::kindLine(*tally)), T::text(13), T::Colour::text2, card);
        kinds->setWordWrap(true);
        card->column()->addWidget(kinds);
        column->addWidget(card);
        auto* reveal = new PlainButton(q(words::showInFiles()), page);
        connect(reveal, &QPushButton::clicked, &model_, [this] { model_.actions().reveal(path_); });
        column->addWidget(reveal, 0, Qt::AlignLeft);
    }
    column->addStretch(1);
    replacePage(*this, page);
}

} // namespace brindle
