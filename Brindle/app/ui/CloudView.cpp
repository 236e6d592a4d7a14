#include "Brindle/app/ui/CloudView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/CloudScreen.h"
#include "Brindle/app/model/OpenKeys.h"
#include "Brindle/app/model/PlaceTexts.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace brindle {

namespace {
// A figure: its label, its count and a caption under it.
QWidget* figure(const presentation::CloudFigure& shown, QWidget* parent)
{
    auto* card = new Card(parent);
    card->column()->setSpacing(4);
    card->column()->addWidget(label(q(shown.title), T::semibold(12), T::Colour::muted, card));
    card->column()->addWidget(
        label(q(shown.figure), T::title(26), shown.accent ? T::Colour::accent : T::Colour::text, card));
    card->column()->addWidget(label(q(shown.caption), T::text(12), T::Colour::text2, card));
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
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &CloudView::rebuild);
    rebuild();
}

void CloudView::rebuild()
{
    using ScreenKind = presentation::CloudScreen::Kind;
    auto* page = new ScreenPage(this);
    QVBoxLayout* column = page->column();
    const auto& result = model_.checks().result();
    const presentation::CloudScreen shown =
        presentation::cloudScreen(model_.iCloudTally(), placeTexts::backupTool(result),
                                  presentation::cloudClient(result), model_.actions().canOpenCloudSettings());
    if (shown.kind != ScreenKind::counted) {
        column->addWidget(label(q(shown.title), T::title(24), T::Colour::text, page));
        if (shown.kind == ScreenKind::notChosen) {
            auto* choose = new PrimaryButton(q(words::chooseFolders()), page);
            connect(choose, &QPushButton::clicked, &model_.grants(), &Grants::chooseFolders);
            column->addWidget(choose, 0, Qt::AlignLeft);
        }
    } else {
        auto* title = label(q(shown.title), T::title(28), T::Colour::text, page);
        title->setWordWrap(true);
        column->addWidget(title);
        if (!shown.paragraph.empty()) {
            auto* text = label(q(shown.paragraph), T::text(14), T::Colour::text2, page);
            text->setWordWrap(true);
            column->addWidget(text);
        }
        column->addSpacing(8);
        auto* figures = new QHBoxLayout;
        figures->setSpacing(12);
        for (const presentation::CloudFigure& shownFigure : shown.figures)
            figures->addWidget(figure(shownFigure, page));
        column->addLayout(figures);
        if (!shown.ways.empty()) {
            column->addSpacing(8);
            auto* ways = new Card(page);
            ways->column()->setSpacing(10);
            ways->column()->addWidget(label(q(shown.waysTitle), T::semibold(16), T::Colour::text, ways));
            for (const presentation::CloudWay& way : shown.ways)
                ways->column()->addWidget(leadParagraph(q(way.lead), q(way.rest), ways));
            column->addWidget(ways);
        }
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (const auto& [text, key] :
         {std::pair{shown.settingsButton, openKeys::cloudSettings}, std::pair{shown.helpButton, openKeys::cloudHelp}}) {
        if (text.empty())
            continue;
        auto* button = new PlainButton(q(text), page);
        connect(button, &QPushButton::clicked, &model_, [this, key] { model_.actions().open(key); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addStretch(1);
    replacePage(*this, page);
}

} // namespace brindle
