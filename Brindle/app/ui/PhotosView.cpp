#include "Brindle/app/ui/PhotosView.h"

#include "Brindle/app/model/AppModel.h"
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
    auto* title = label(q(words::photosTitle), T::title(28), T::Colour::text, page);
    title->setWordWrap(true);
    column->addWidget(title);
    auto* text = label(q(words::photosText), T::text(15), T::Colour::text2, page);
    text->setWordWrap(true);
    column->addWidget(text);
    column->addSpacing(6);
    auto* check = new PrimaryButton(q(words::checkPhotos), page);
    connect(check, &QPushButton::clicked, &model, [&model] { model.view().setShowPhotos(true); });
    column->addWidget(check, 0, Qt::AlignLeft);
    column->addStretch(1);
    setWidget(page);
}

} // namespace brindle
