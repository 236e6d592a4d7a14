#include "Brindle/app/ui/WelcomeSheet.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/WelcomePresentation.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Theme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }

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
    setWindowTitle(QStringLiteral("Welcome to Brindle"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(size);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(40, 32, 40, 28);
    connect(this, &QDialog::finished, this, [this] { model_.setShowWelcome(false); });
    connect(&model_, &AppModel::showWelcomeChanged, this, [this](bool show) {
        if (!show)
            close();
    });
    connect(&model_, &AppModel::grantsChanged, this, &WelcomeSheet::rebuild);
    connect(&model_, &AppModel::drivesChanged, this, &WelcomeSheet::rebuild);
    connect(&model_, &AppModel::resultChanged, this, &WelcomeSheet::rebuild);
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
    const presentation::WelcomeStep shown = presentation::welcomeStep(step_, model_.result());
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

    if (page_) {
        layout_->removeWidget(page_);
        page_->hide();
        page_->deleteLater();
    }
    layout_->addWidget(page);
    page->show();
    page_ = page;
}

QWidget* WelcomeSheet::buttons(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);
    const auto add = [&](bool primary, const QString& title, auto action) {
        StyledButton* button = primary ? static_cast<StyledButton*>(new PrimaryButton(title, row))
                                       : new PlainButton(title, row);
        connect(button, &QPushButton::clicked, this, action);
        line->addWidget(button);
    };
    const auto next = [this] { setStep(step_ + 1); };
    switch (step_) {
    case 1: {
        const bool granted = !model_.grants().empty();
        add(!granted, q(presentation::chooseFoldersTitle(granted)), [this] { model_.chooseFolders(); });
        if (granted)
            add(true, QStringLiteral("Continue"), next);
        break;
    }
    case 2: {
        const bool chosen = !model_.drives().empty();
        add(!chosen, QStringLiteral("Choose Drive"), [this] { model_.chooseDrive(false); });
        add(chosen, chosen ? QStringLiteral("Continue") : QStringLiteral("Later"), next);
        break;
    }
    default:
        add(true, QStringLiteral("Show Me How"), [this] {
            accept();
            model_.setShowPhotos(true);
        });
        add(false, QStringLiteral("Later"), [this] { accept(); });
        break;
    }
    line->addStretch(1);
    return row;
}

} // namespace brindle
