// ReportPrinter: "Print Report". It asks where to print with the system print dialog (which
// also saves as PDF) and prints the letter of the model's current result there, as the job
// "Brindle report". The printer settings chosen are kept for the next print.
//
// Main thread only. A print that fails is said in a message box, never passed over.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace brindle {

class AppModel;

class ReportPrinter final : public QObject {
    Q_OBJECT
public:
    // Shows where the printing goes; true to print. Tests answer without a dialog.
    using Ask = std::function<bool(QPrinter& printer, QWidget* parent)>;
    static bool systemDialog(QPrinter& printer, QWidget* parent);

    explicit ReportPrinter(AppModel& model, Ask ask = systemDialog, QObject* parent = nullptr);
    ~ReportPrinter() override;

    // Does nothing without a result. Whether the letter was printed.
    bool print(QWidget* parent);
    // The kept settings; absent before the first print.
    QPrinter* printer() const { return printer_.get(); }

private:
    AppModel& model_;
    Ask ask_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace brindle
