// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QRect>
#include <QVector>

// The steps of a painting that Ctrl+Z takes back and Ctrl+Y brings again. A step keeps only the
// rectangle it changed, as it was before (for undo) or after (for redo), together with the
// canvas's own picture (what Cls goes back to) when the step changed that. The oldest steps are
// forgotten past kMaxSteps or kMaxBytes.
class CanvasHistory {
public:
    static constexpr int kMaxSteps = 40;
    static constexpr qint64 kMaxBytes = qint64(32) << 20;

    // A step starts on this canvas; a step already started goes on.
    void begin(const QImage& canvas, const QImage& picture);
    bool inStep() const { return !m_before.isNull(); }
    // The step ends: its changed rectangle is kept, nothing when nothing changed. A new step
    // forgets what could have been redone. An unfinished step (a figure still being joined) is
    // resumed by its redo: it is open again, as it was before the undo ended it.
    void commit(const QImage& canvas, const QImage& picture, bool unfinished = false);

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    // Puts the canvas (and its picture) back as before the last step; false when there is none.
    bool undo(QImage& canvas, QImage& picture);
    // resumed (when given) tells that the step brought again is an unfinished one, open again.
    bool redo(QImage& canvas, QImage& picture, bool* resumed = nullptr);
    void clear();

    int steps() const { return int(m_undo.size()); }
    qint64 bytes() const;

private:
    struct Patch {
        QRect rect;
        QImage pixels;
        QImage picture;     // the canvas picture to go back to
        bool pictureChanged = false;
        bool unfinished = false;
        qint64 bytes() const { return pixels.sizeInBytes(); }
    };
    static void apply(const Patch& p, QImage& canvas, QImage& picture);
    void trim();

    QImage m_before, m_beforePicture;
    QVector<Patch> m_undo, m_redo;
};

// The smallest rectangle holding every pixel in which a and b differ (same size); empty when
// they are alike.
QRect changedRect(const QImage& a, const QImage& b);
