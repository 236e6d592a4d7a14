#include "Brindle/app/ui/PhotosGuideSheet.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/PhotosPresentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brindle {

PhotosGuideSheet::PhotosGuideSheet(AppModel& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(q(words::checkPhotos()));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(520);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 24, 28, 22);
    column->setSpacing(14);
    column->addWidget(label(q(words::photosGuideTitle()), T::title(22), T::Colour::text, this));
    const auto shown = presentation::photosPlace(model.checks().result(), model.checks().report());
    const auto& steps = shown.steps;
    for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        row->addWidget(label(QString::number(i + 1), T::title(18), T::Colour::accent, this), 0, Qt::AlignTop);
        auto* text = label(q(steps[i]), T::text(14), T::Colour::text, this);
        text->setWordWrap(true);
        row->addWidget(text, 1);
        column->addLayout(row);
    }
    column->addWidget(label(q(words::photosNeverAsked()), T::text(13), T::Colour::muted, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* done = new PlainButton(q(words::done()), this);
    auto* open = new PrimaryButton(q(shown.openLabel), this);
    buttons->addWidget(done);
    buttons->addWidget(open);
    column->addLayout(buttons);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(open, &QPushButton::clicked, &model, [&model] { model.actions().openPhotos(); });
    connect(this, &QDialog::finished, &model, [&model] { model.view().setShowPhotos(false); });
}

void PhotosGuideSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::ground));
}

} // namespace brindle
