#include "Brindle/app/ui/PhotosView.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/PhotosPresentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QVBoxLayout>

namespace brindle {

PhotosView::PhotosView(AppModel& model, QWidget* parent) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* page = new ScreenPage(this, 720);
    QVBoxLayout* column = page->column();
    const auto shown = presentation::photosPlace(model.checks().result(), model.checks().report());
    auto* title = label(q(shown.title), T::title(28), T::Colour::text, page);
    title->setWordWrap(true);
    column->addWidget(title);
    auto* text = label(q(shown.text), T::text(15), T::Colour::text2, page);
    text->setWordWrap(true);
    column->addWidget(text);
    auto* neverAsked = label(q(words::photosNeverAsked()), T::text(13), T::Colour::muted, page);
    neverAsked->setWordWrap(true);
    column->addWidget(neverAsked);
    column->addSpacing(6);
    auto* check = new PrimaryButton(q(words::checkPhotos()), page);
    connect(check, &QPushButton::clicked, &model, [&model] { model.view().setShowPhotos(true); });
    column->addWidget(check, 0, Qt::AlignLeft);
    column->addStretch(1);
    setWidget(page);
}

} // namespace brindle
