// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/printer.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>

namespace {
PrinterMaker& maker()
{
    static PrinterMaker m;
    return m;
}

// Why the print system would not print on that printer now; empty when it would.
QString refusal(const QString& name)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return {};
    const QString accepting = QString::fromUtf8(cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options));
    const QString state = QString::fromUtf8(cupsGetOption("printer-state", dest->num_options, dest->options));
    cupsFreeDests(1, dest);
    if (accepting.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("The printer '%1' takes no new jobs just now.").arg(name);
    if (state == QLatin1String("5"))
        return QStringLiteral("The printer '%1' is stopped.").arg(name);
    return {};
}

// Whether the print service (cupsd) takes a connection at all: without it there are no
// printers to list, though the computer may well have some.
bool printServiceAnswers()
{
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}
}

void setPrinterMaker(PrinterMaker m) { maker() = std::move(m); }

std::unique_ptr<QPrinter> makePrinter(QString* why)
{
    if (maker())
        return maker()(why);
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().first();
    if (info.isNull()) {
        if (why)
            *why = printServiceAnswers() ? QStringLiteral("There is no printer on this computer.")
                                         : QStringLiteral("Printing is not available just now: the print service does not answer.");
        return nullptr;
    }
    // A stopped printer would keep each job until someone starts it, then print them all.
    const QString problem = refusal(info.printerName());
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool printerTookJob(const QPrinter& printer, QString* why)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return true;
    // Qt hands the job to CUPS on this thread and does not look at the answer; CUPS keeps it.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return true;
    if (why)
        *why = QStringLiteral("The printer '%1' refused it: %2").arg(printer.printerName(), QString::fromUtf8(cupsLastErrorString()));
    return false;
}
