#include "Brindle/app/ui/OverviewScreen.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/Presentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/CoverageBand.h"
#include "Brindle/app/ui/Mark.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/SegmentedControl.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"
#include "BrindleCore/Words.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QVBoxLayout>

namespace brindle {

namespace {
// A legend's colour sample.
class Swatch final : public QWidget {
public:
    Swatch(Segment segment, QWidget* parent) : QWidget(parent), segment_(segment) { setFixedSize(12, 12); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath clip;
        clip.addRoundedRect(QRectF(rect()), 3, 3);
        painter.setClipPath(clip);
        paintSegment(painter, QRectF(rect()), segment_);
    }

private:
    Segment segment_;
};

// One folder's heading and band.
QWidget* bandRow(const FolderTally& tally, const QString& heading, bool bold, double scale, bool byFiles,
                 QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* line = new QHBoxLayout;
    auto* name = label(heading, bold ? T::semibold(14) : T::text(14), T::Colour::text, row);
    auto* figures = label(q(presentation::filesAndSize(tally)), T::text(13), T::Colour::muted, row);
    line->addWidget(name, 1);
    line->addWidget(figures);
    layout->addLayout(line);
    layout->addWidget(new CoverageBand(tally, scale, byFiles, bold ? 14 : 10, row));
    return row;
}
} // namespace

OverviewScreen::OverviewScreen(AppModel& model, QWidget* parent) : QScrollArea(parent), model_(model)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setMinimumWidth(560);
    setAccessibleName(q(words::overview()));
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &OverviewScreen::rebuild);
    connect(&model_.checks(), &CheckLoop::checkingChanged, this, &OverviewScreen::rebuild);
    rebuild();
}

void OverviewScreen::rebuild()
{
    auto* page = new ScreenPage(this);
    QVBoxLayout* layout = page->column();

    layout->addWidget(label(q(model_.guide().line), T::semibold(13), T::Colour::accent, page));
    auto* answer =
        label(q(presentation::answer(model_.checks().report(), model_.guide())), T::title(28), T::Colour::text, page);
    answer->setWordWrap(true);
    answer->setAccessibleName(answer->text());
    layout->addWidget(answer);
    layout->addSpacing(8);

    const auto& result = model_.checks().result();
    if (result && !result->folders.empty()) {
        if (result->total().files > 0) {
            layout->addWidget(bands(page));
            layout->addWidget(legend(page));
            layout->addSpacing(8);
        }
        if (model_.checks().report() && !model_.checks().report()->findings.empty())
            layout->addWidget(findings(page));
    } else if (!model_.checks().checking()) {
        auto* choose = new PrimaryButton(q(words::chooseFolders()), page);
        connect(choose, &QPushButton::clicked, &model_.grants(), &Grants::chooseFolders);
        layout->addWidget(choose, 0, Qt::AlignLeft);
    }

    layout->addSpacing(4);
    auto* promise = label(q(model_.guide().promise), T::text(12), T::Colour::muted, page);
    promise->setWordWrap(true);
    layout->addWidget(promise);
    layout->addStretch(1);

    const int scrolled = verticalScrollBar() ? verticalScrollBar()->value() : 0;
    replacePage(*this, page);
    verticalScrollBar()->setValue(scrolled);
}

QWidget* OverviewScreen::bands(QWidget* parent)
{
    auto* card = new Card(parent);
    QVBoxLayout* layout = card->column();
    layout->setSpacing(14);

    auto* top = new QHBoxLayout;
    top->addWidget(label(q(words::scale()), T::text(12), T::Colour::muted, card));
    auto* scale = new SegmentedControl({q(words::byNumberOfFiles()), q(words::bySize())}, card);
    scale->setAccessibleName(q(words::scale()));
    scale->setCurrent(byFiles_ ? 0 : 1);
    connect(scale, &SegmentedControl::chosen, this, [this](int index) {
        byFiles_ = index == 0;
        QMetaObject::invokeMethod(this, &OverviewScreen::rebuild, Qt::QueuedConnection);
    });
    top->addWidget(scale);
    top->addStretch(1);
    layout->addLayout(top);

    const CheckResult& result = *model_.checks().result();
    const double widest = presentation::bandScale(result.folders, byFiles_);
    const FolderTally total = result.total();
    // The total spans the full width: its own value is the scale of its row.
    layout->addWidget(bandRow(total, q(presentation::allFoldersTitle(result.folders.size())), true,
                              presentation::bandScale({total}, byFiles_), byFiles_, card));
    for (const FolderTally& folder : result.folders)
        layout->addWidget(bandRow(folder, q(folder.name), false, widest, byFiles_, card));
    return card;
}

QWidget* OverviewScreen::legend(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(6);
    const bool backupKnown = model_.checks().result()->lastBackup().has_value();
    for (const auto& item :
         presentation::legend(backupKnown, model_.guide(), presentation::cloudClient(model_.checks().result()))) {
        layout->addWidget(new Swatch(item.segment, row));
        layout->addWidget(label(q(item.label), T::text(12), T::Colour::text2, row));
        layout->addSpacing(14);
    }
    layout->addStretch(1);
    return row;
}

QWidget* OverviewScreen::findings(QWidget* parent)
{
    auto* card = new Card(parent);
    QVBoxLayout* layout = card->column();
    layout->setSpacing(0);
    const auto& findings = model_.checks().report()->findings;
    const auto primary = presentation::primaryFinding(findings);
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        if (i > 0)
            layout->addWidget(new Hairline(card));
        auto* row = new QWidget(card);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 12, 0, 12);
        line->setSpacing(12);
        line->addWidget(new Mark(finding.needsYou ? Mark::Style::needsYou : Mark::Style::check, 18, row), 0,
                        Qt::AlignTop);
        auto* words = new QVBoxLayout;
        words->setSpacing(3);
        auto* title = label(q(finding.title), T::semibold(14), T::Colour::text, row);
        title->setWordWrap(true);
        auto* text = label(q(finding.line), T::text(13), T::Colour::text2, row);
        text->setWordWrap(true);
        words->addWidget(title);
        words->addWidget(text);
        line->addLayout(words, 1);
        if (!finding.button.empty()) {
            StyledButton* button = i == primary ? static_cast<StyledButton*>(new PrimaryButton(q(finding.button), row))
                                                : new PlainButton(q(finding.button), row);
            connect(button, &QPushButton::clicked, &model_,
                    [this, key = finding.opens] { model_.actions().open(key); });
            line->addWidget(button, 0, Qt::AlignVCenter);
        }
        layout->addWidget(row);
    }
    return card;
}

} // namespace brindle
