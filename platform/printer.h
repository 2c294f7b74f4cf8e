#pragma once
#include <QString>
#include <functional>
#include <memory>

class QPrinter;

// A new printer on the system's default printer, for one job (a printer that failed once stays
// failed). Null, with why set, when the machine has no printer. Tests make their own (a PDF
// file); an empty maker restores the default.
std::unique_ptr<QPrinter> makePrinter(QString* why);
using PrinterMaker = std::function<std::unique_ptr<QPrinter>(QString* why)>;
void setPrinterMaker(PrinterMaker maker);
