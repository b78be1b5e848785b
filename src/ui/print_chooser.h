#pragma once

class QPrinter;
class QWidget;

namespace sondrel {

// The platform's print dialog: the user picks a printer, or a file to print
// into, and the page settings.
class PrintChooser {
public:
    virtual ~PrintChooser() = default;
    // Sets up the printer from the user's choice; false when the user cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
};

class QtPrintChooser : public PrintChooser {
public:
    bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
};

// Whether the user chose to print into a PDF file rather than on a printer.
bool PrintsToFile(const QPrinter& printer);

}  // namespace sondrel
