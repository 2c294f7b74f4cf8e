// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/printcanvas.h"

#include "paint/openini.h"
#include "platform/msgbox.h"
#include "platform/printer.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {
constexpr double kCanvasDpi = 96;
}

bool pntPrintCanvas(const QImage& canvas, QPrinter& printer, QString* why)
{
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Brushbox"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (why)
            *why = QStringLiteral("The printer could not be started.");
        return false;
    }
    // Paint in canvas pixels: scale the printer's dots to 96 to the inch.
    const double dots = printer.resolution() / kCanvasDpi;
    const QRectF page = printer.paperRect(QPrinter::DevicePixel);
    const double pageWidth = page.width() / dots, pageHeight = page.height() / dots;
    const int16_t left = int16_t(std::lround((pageWidth - canvas.width()) / 2));
    const int16_t top = int16_t(std::lround((pageHeight - canvas.height()) / 2));
    painter.scale(dots, dots);
    painter.drawImage(QPoint(left, top), canvas);
    if (!painter.end()) {
        if (why)
            *why = QStringLiteral("The printer stopped before the page was done.");
        return false;
    }
    if (printer.printerState() == QPrinter::Error) {
        if (why)
            *why = QStringLiteral("The printer reported an error.");
        return false;
    }
    return printerTookJob(printer, why);
}

bool pntPrintCanvas(const QImage& canvas)
{
    QString why;
    std::unique_ptr<QPrinter> printer = makePrinter(&why);
    if (printer && pntPrintCanvas(canvas, *printer, &why))
        return true;
    msgBox(QStringLiteral("Your painting could not be printed. ") + why, MsgButtons::Ok, MsgIcon::Exclamation,
           pntAboutCaption());
    return false;
}
