#include "Brindle/app/ui/CloudView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "BrindleCore/Words.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace brindle {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }

// A figure: its label, its count and a caption under it.
QWidget* figure(const QString& title, std::int64_t count, bool accent, const QString& caption, QWidget* parent)
{
    auto* card = new Card(parent);
    card->column()->setSpacing(4);
    card->column()->addWidget(label(title, T::semibold(12), T::Colour::muted, card));
    card->column()->addWidget(
        label(q(Words::count(count)), T::title(26), accent && count > 0 ? T::Colour::accent : T::Colour::text, card));
    card->column()->addWidget(label(caption, T::text(12), T::Colour::text2, card));
    return card;
}

// A paragraph that begins with a bold lead.
QLabel* leadParagraph(const QString& lead, const QString& rest, QWidget* parent)
{
    auto* paragraph = label({}, T::text(14), T::Colour::text2, parent);
    paragraph->setTextFormat(Qt::RichText);
    paragraph->setText(QStringLiteral("<b>%1</b> %2").arg(lead.toHtmlEscaped(), rest.toHtmlEscaped()));
    paragraph->setWordWrap(true);
    return paragraph;
}
} // namespace

CloudView::CloudView(AppModel& model, QWidget* parent) : QScrollArea(parent), model_(model)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    connect(&model_, &AppModel::resultChanged, this, &CloudView::rebuild);
    rebuild();
}

void CloudView::rebuild()
{
    auto* page = new ScreenPage(this);
    QVBoxLayout* column = page->column();
    const auto tally = model_.iCloudTally();
    if (!tally) {
        column->addWidget(label(QStringLiteral("Add iCloud Drive to see what’s only in iCloud."), T::title(24),
                                T::Colour::text, page));
        auto* choose = new PrimaryButton(QStringLiteral("Choose Folders"), page);
        connect(choose, &QPushButton::clicked, &model_, &AppModel::chooseFolders);
        column->addWidget(choose, 0, Qt::AlignLeft);
    } else if (tally->files == 0) {
        column->addWidget(label(q("There are no files in " + tally->name + " to check."), T::title(24),
                                T::Colour::text, page));
    } else {
        auto* title = label(q(placeTexts::cloudTitle(*tally)), T::title(28), T::Colour::text, page);
        title->setWordWrap(true);
        column->addWidget(title);
        if (const std::string paragraph = placeTexts::cloudParagraph(*tally); !paragraph.empty()) {
            auto* text = label(q(paragraph), T::text(14), T::Colour::text2, page);
            text->setWordWrap(true);
            column->addWidget(text);
        }
        column->addSpacing(8);
        const std::int64_t onlyCloud = tally->count(Place::onlyICloud);
        const std::int64_t waiting = tally->count(Place::waiting);
        auto* figures = new QHBoxLayout;
        figures->setSpacing(12);
        figures->addWidget(figure(QStringLiteral("Only in iCloud"), onlyCloud, true,
                                  q(Words::size(tally->size(Place::onlyICloud)) + ", not on this computer"), page));
        figures->addWidget(figure(QStringLiteral("On this computer and in iCloud"), tally->count(Place::both), false,
                                  q(Words::size(tally->size(Place::both)) + ", uploaded"), page));
        figures->addWidget(figure(QStringLiteral("Waiting is normal"), waiting, false,
                                  waiting > 0 ? QStringLiteral("Waiting to upload") : QStringLiteral("Nothing queued"),
                                  page));
        column->addLayout(figures);
        if (onlyCloud > 0) {
            column->addSpacing(8);
            auto* ways = new Card(page);
            ways->column()->setSpacing(10);
            ways->column()->addWidget(
                label(QStringLiteral("Two ways to give them a second copy"), T::semibold(16), T::Colour::text, ways));
            ways->column()->addWidget(leadParagraph(
                QStringLiteral("Keep just one folder downloaded."),
                QStringLiteral("In the file manager, right-click a folder in iCloud Drive and choose Keep Downloaded."),
                ways));
            ways->column()->addWidget(leadParagraph(
                QStringLiteral("Keep iCloud Drive on this computer."),
                q(placeTexts::cloudKeepAll(*tally, placeTexts::backupTool(model_.result()))), ways));
            auto* settings = new PlainButton(QStringLiteral("Open iCloud Settings"), ways);
            connect(settings, &QPushButton::clicked, &model_, [this] { model_.open("iCloudSettings"); });
            ways->column()->addWidget(settings, 0, Qt::AlignLeft);
            column->addWidget(ways);
        }
    }
    column->addStretch(1);
    // The old page may hold the button whose click led here: it goes once the click is over.
    if (QWidget* old = takeWidget())
        old->deleteLater();
    setWidget(page);
}

} // namespace brindle
