#include "platform/printer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
PrinterMaker& maker()
{
    static PrinterMaker m;
    return m;
}
}

void setPrinterMaker(PrinterMaker m) { maker() = std::move(m); }

std::unique_ptr<QPrinter> makePrinter(QString* why)
{
    if (maker())
        return maker()(why);
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        if (why)
            *why = QStringLiteral("There is no printer on this computer.");
        return nullptr;
    }
    return std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
}
