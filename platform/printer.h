// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <functional>
#include <memory>

class QPrinter;

// A new printer on the system's default printer (the first printer when none is the default),
// for one job: a printer that failed once stays failed. Null, with why set, when the machine
// has no printer or that printer takes no jobs now (stopped, or refusing them). Tests make
// their own (a PDF file); an empty maker restores the default.
std::unique_ptr<QPrinter> makePrinter(QString* why);
using PrinterMaker = std::function<std::unique_ptr<QPrinter>(QString* why)>;
void setPrinterMaker(PrinterMaker maker);

// Whether the print system took the job just ended on the printer; false, with why, when it
// refused it. A printer that writes a file always takes it.
bool printerTookJob(const QPrinter& printer, QString* why);
