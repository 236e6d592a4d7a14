#include "Brindle/app/ui/DriveFormatsSheet.h"

#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"
#include "Brindle/app/ui/Text.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brindle {

DriveFormatsSheet::DriveFormatsSheet(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(q(words::driveFormatsTitle()));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(560);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 24, 28, 22);
    column->setSpacing(12);
    column->addWidget(label(q(words::driveFormatsTitle()), T::title(22), T::Colour::text, this));
    for (const std::string& paragraph : words::driveFormatsText()) {
        auto* text = label(q(paragraph), T::text(14), T::Colour::text, this);
        text->setWordWrap(true);
        column->addWidget(text);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* done = new PrimaryButton(q(words::done()), this);
    buttons->addWidget(done);
    column->addLayout(buttons);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    // Wrapped paragraphs need the height for the sheet's width, which sizeHint does not give:
    // longer paragraphs would otherwise be drawn over each other.
    resize(minimumWidth(), heightForWidth(minimumWidth()));
}

void DriveFormatsSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::ground));
}

} // namespace brindle
