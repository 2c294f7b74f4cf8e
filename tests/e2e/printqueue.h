// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

// A cups-pdf print queue of the test's own, made with lpadmin and removed again with the PDF
// files it wrote. A program started with PRINTER set to its name prints on it.
class PrintQueue {
public:
    PrintQueue();
    ~PrintQueue();
    bool ready() const { return m_whyNot.isEmpty(); }
    QString whyNot() const { return m_whyNot; }
    QString name() const { return m_name; }
    void setAccepting(bool on) const; // cupsaccept / cupsreject
    void setEnabled(bool on) const;   // cupsenable / cupsdisable
    // The PDF files the queue has written since it was made, oldest first; waits up to
    // timeoutMs for at least count of them.
    QStringList pdfs(int count, int timeoutMs = 20000) const;

private:
    QString m_name;
    QString m_outDir;
    QString m_whyNot;
    QDateTime m_made;
};
