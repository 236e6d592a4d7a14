#include "Brindle/app/ui/WelcomeSheet.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/model/WelcomePresentation.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"
#include "Brindle/app/ui/Theme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {

namespace {
// One dot per step: the current one in the accent, those done in a lighter accent.
class StepDots final : public QWidget {
public:
    StepDots(int step, int steps, QWidget* parent) : QWidget(parent), step_(step), steps_(steps)
    {
        setFixedSize(steps * 14, 10);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        for (int i = 1; i <= steps_; ++i) {
            QColor colour = T::colour(i <= step_ ? T::Colour::accent : T::Colour::track);
            if (i < step_)
                colour.setAlphaF(0.45f);
            painter.setBrush(colour);
            painter.drawEllipse(QRectF((i - 1) * 14 + 1, 1, 8, 8));
        }
    }

private:
    int step_;
    int steps_;
};
} // namespace

WelcomeSheet::WelcomeSheet(AppModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowTitle(q(words::welcomeTitle()));
    setWindowModality(Qt::WindowModal);
    setFixedSize(size);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(40, 32, 40, 28);
    connect(this, &QDialog::finished, this, [this] { model_.view().setShowWelcome(false); });
    connect(&model_.view(), &ViewState::showWelcomeChanged, this, [this](bool show) {
        if (!show)
            close();
    });
    connect(&model_.grants(), &Grants::foldersChanged, this, &WelcomeSheet::rebuild);
    connect(&model_.grants(), &Grants::drivesChanged, this, &WelcomeSheet::rebuild);
    connect(&model_.checks(), &CheckLoop::resultChanged, this, &WelcomeSheet::rebuild);
    rebuild();
}

void WelcomeSheet::setStep(int step)
{
    step = std::clamp(step, 1, presentation::welcomeSteps);
    if (step == step_)
        return;
    step_ = step;
    rebuild();
}

void WelcomeSheet::rebuild()
{
    const presentation::WelcomeStep shown = presentation::welcomeStep(step_, model_.checks().result());
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(label(q(shown.header), T::semibold(12), T::Colour::muted, page));
    header->addWidget(new StepDots(step_, presentation::welcomeSteps, page));
    header->addStretch(1);
    column->addLayout(header);
    column->addSpacing(14);

    auto* title = label(q(shown.title), T::title(24), T::Colour::text, page);
    title->setWordWrap(true);
    column->addWidget(title);
    auto* text = label(q(shown.text), T::text(14), T::Colour::text2, page);
    text->setWordWrap(true);
    column->addWidget(text);

    if (!shown.choices.empty()) {
        column->addSpacing(6);
        auto* card = new Card(page);
        card->column()->setSpacing(0);
        for (std::size_t i = 0; i < shown.choices.size(); ++i) {
            if (i > 0)
                card->column()->addWidget(new Hairline(card));
            auto* row = new QWidget(card);
            auto* words = new QVBoxLayout(row);
            words->setContentsMargins(0, 9, 0, 9);
            words->setSpacing(2);
            words->addWidget(label(q(shown.choices[i].title), T::semibold(14), T::Colour::text, row));
            auto* note = label(q(shown.choices[i].note), T::text(13), T::Colour::text2, row);
            note->setWordWrap(true);
            words->addWidget(note);
            card->column()->addWidget(row);
        }
        column->addWidget(card);
    }
    column->addSpacing(10);
    column->addWidget(buttons(page));
    column->addStretch(1);
    column->addWidget(new Hairline(page));
    column->addSpacing(4);
    auto* promise = label(q(model_.guide().promise), T::text(12), T::Colour::muted, page);
    promise->setWordWrap(true);
    column->addWidget(promise);

    replacePage(*layout_, page_, page);
}

QWidget* WelcomeSheet::buttons(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);
    using Action = presentation::WelcomeButton::Action;
    for (const presentation::WelcomeButton& shown :
         presentation::welcomeButtons(step_, !model_.grants().folders().empty(), !model_.grants().drives().empty())) {
        StyledButton* button = shown.primary ? static_cast<StyledButton*>(new PrimaryButton(q(shown.title), row))
                                             : new PlainButton(q(shown.title), row);
        connect(button, &QPushButton::clicked, this, [this, action = shown.action] {
            switch (action) {
            case Action::chooseFolders:
                model_.grants().chooseFolders();
                break;
            case Action::chooseDrive:
                model_.actions().chooseDrive(false);
                break;
            case Action::next:
                setStep(step_ + 1);
                break;
            case Action::showPhotos:
                accept();
                model_.view().setShowPhotos(true);
                break;
            case Action::close:
                accept();
                break;
            }
        });
        line->addWidget(button);
    }
    line->addStretch(1);
    return row;
}

} // namespace brindle
