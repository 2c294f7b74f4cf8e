// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/printer.h"

#include <QLibrary>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>
#include <type_traits>

namespace {
// The print system's library and its dozen dependencies are loaded at the first print, not at
// every start: a start without it is several milliseconds sooner. Qt's print plugin loads the
// same library, so its last error is the one read here.
struct Cups {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&httpConnect2) connect = nullptr;
    decltype(&httpClose) close = nullptr;
    decltype(&cupsServer) server = nullptr;
    decltype(&ippPort) port = nullptr;
    decltype(&cupsEncryption) encryption = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
    bool loaded = false;
};

const Cups& cups()
{
    static const Cups api = [] {
        Cups c;
        QLibrary lib(QStringLiteral("cups"), 2);
        if (!lib.load())
            return c;
        const auto get = [&lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(lib.resolve(name));
            return fn != nullptr;
        };
        c.loaded = get(c.getNamedDest, "cupsGetNamedDest") && get(c.getOption, "cupsGetOption")
                   && get(c.freeDests, "cupsFreeDests") && get(c.connect, "httpConnect2") && get(c.close, "httpClose")
                   && get(c.server, "cupsServer") && get(c.port, "ippPort") && get(c.encryption, "cupsEncryption")
                   && get(c.lastError, "cupsLastError") && get(c.lastErrorString, "cupsLastErrorString");
        return c;
    }();
    return api;
}

PrinterMaker& maker()
{
    static PrinterMaker m;
    return m;
}

// Why the print system would not print on that printer now; empty when it would.
QString refusal(const QString& name)
{
    const Cups& c = cups();
    cups_dest_t* dest = c.loaded ? c.getNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr) : nullptr;
    if (!dest)
        return {};
    const QString accepting = QString::fromUtf8(c.getOption("printer-is-accepting-jobs", dest->num_options, dest->options));
    const QString state = QString::fromUtf8(c.getOption("printer-state", dest->num_options, dest->options));
    c.freeDests(1, dest);
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
    const Cups& c = cups();
    if (!c.loaded)
        return false;
    http_t* http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, 5000, nullptr);
    if (!http)
        return false;
    c.close(http);
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
    const Cups& c = cups();
    if (!c.loaded || c.lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return true;
    if (why)
        *why = QStringLiteral("The printer '%1' refused it: %2").arg(printer.printerName(), QString::fromUtf8(c.lastErrorString()));
    return false;
}
