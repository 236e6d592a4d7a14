#include "Brindle/app/ui/ReportPrinter.h"

#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/LetterPresentation.h"
#include "Brindle/app/model/ScreenWords.h"
#include "Brindle/app/ui/ReportLetter.h"
#include "Brindle/app/ui/Text.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace brindle {

bool ReportPrinter::systemDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(q(words::printReport()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

ReportPrinter::ReportPrinter(AppModel& model, Ask ask, QObject* parent)
    : QObject(parent), model_(model), ask_(ask ? std::move(ask) : Ask(systemDialog))
{
}

ReportPrinter::~ReportPrinter() = default;

bool ReportPrinter::print(QWidget* parent)
{
    if (!model_.checks().result() || !model_.checks().report())
        return false;
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(q(presentation::letterTitle()));
    if (!ask_(*printer_, parent))
        return false;
    const presentation::Letter letter =
        presentation::letter(*model_.checks().result(), *model_.checks().report(), model_.guide(),
                             model_.computerName(), model_.now(), model_.calendar());
    if (ReportLetter::print(letter, *printer_))
        return true;
    QMessageBox::warning(parent, q(words::printReport()), q(words::printFailed()));
    return false;
}

} // namespace brindle
