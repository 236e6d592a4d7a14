#include "Brindle/app/ui/PhotosGuideSheet.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/ui/Buttons.h"
#include "Brindle/app/ui/Screen.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brindle {

PhotosGuideSheet::PhotosGuideSheet(AppModel& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Check Photos"));
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(520);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 24, 28, 22);
    column->setSpacing(14);
    column->addWidget(label(QStringLiteral("Where your photos live"), T::title(22), T::Colour::text, this));
    const QStringList steps{
        QStringLiteral("Open Photos, then choose Photos › Settings and click iCloud."),
        QStringLiteral("If iCloud Photos is off, your pictures have one copy, on this computer, until you have a backup."),
        QStringLiteral("If it’s on with “Optimise Mac Storage”, the full-size originals of many pictures are only in "
                       "iCloud, and a backup of this computer doesn’t have them. “Download Originals to this Mac” "
                       "keeps them here too.")};
    for (int i = 0; i < steps.size(); ++i) {
        auto* row = new QHBoxLayout;
        row->setSpacing(12);
        row->addWidget(label(QString::number(i + 1), T::title(18), T::Colour::accent, this), 0, Qt::AlignTop);
        auto* text = label(steps[i], T::text(14), T::Colour::text, this);
        text->setWordWrap(true);
        row->addWidget(text, 1);
        column->addLayout(row);
    }
    column->addWidget(label(QStringLiteral("Brindle never asks for access to your photos."), T::text(13),
                            T::Colour::muted, this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* done = new PlainButton(QStringLiteral("Done"), this);
    auto* open = new PrimaryButton(QStringLiteral("Open Photos"), this);
    buttons->addWidget(done);
    buttons->addWidget(open);
    column->addLayout(buttons);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(open, &QPushButton::clicked, &model, &AppModel::openPhotos);
    connect(this, &QDialog::finished, &model, [&model] { model.setShowPhotos(false); });
}

void PhotosGuideSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), T::colour(T::Colour::ground));
}

} // namespace brindle
