// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/canvashistory.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

QRect changedRect(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return a.rect().united(b.rect());
    const QImage::Format f = a.format();
    const bool fourBytes = f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
    int top = -1, bottom = -1, left = a.width(), right = -1;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        if (fourBytes) {
            const auto* pa = reinterpret_cast<const quint32*>(ra);
            const auto* pb = reinterpret_cast<const quint32*>(rb);
            if (std::memcmp(pa, pb, size_t(a.width()) * 4) == 0)
                continue;
            int l = 0, r = a.width() - 1;
            while (pa[l] == pb[l])
                ++l;
            while (pa[r] == pb[r])
                --r;
            left = std::min(left, l);
            right = std::max(right, r);
        } else {
            bool differs = false;
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    differs = true;
                }
            if (!differs)
                continue;
        }
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void CanvasHistory::begin(const QImage& canvas, const QImage& picture)
{
    if (inStep())
        return;
    m_before = canvas.copy();
    m_beforePicture = picture;
}

void CanvasHistory::commit(const QImage& canvas, const QImage& picture, bool unfinished)
{
    if (!inStep())
        return;
    const bool pictureChanged = m_beforePicture != picture;
    const QRect rect = changedRect(m_before, canvas);
    if (!rect.isEmpty() || pictureChanged) {
        m_undo.push_back(Patch{rect, m_before.copy(rect), m_beforePicture, pictureChanged, unfinished});
        m_redo.clear();
        trim();
    }
    m_before = QImage();
    m_beforePicture = QImage();
}

void CanvasHistory::apply(const Patch& p, QImage& canvas, QImage& picture)
{
    if (!p.rect.isEmpty()) {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(p.rect.topLeft(), p.pixels);
    }
    if (p.pictureChanged)
        picture = p.picture;
}

bool CanvasHistory::undo(QImage& canvas, QImage& picture)
{
    if (m_undo.isEmpty())
        return false;
    const Patch p = m_undo.takeLast();
    m_redo.push_back(Patch{p.rect, canvas.copy(p.rect), picture, p.pictureChanged, p.unfinished});
    apply(p, canvas, picture);
    return true;
}

bool CanvasHistory::redo(QImage& canvas, QImage& picture, bool* resumed)
{
    if (m_redo.isEmpty() || inStep())
        return false;
    const Patch p = m_redo.takeLast();
    if (p.unfinished) {
        // Open again from where it began, so that its end keeps it as one step.
        m_before = canvas.copy();
        m_beforePicture = picture;
    } else {
        m_undo.push_back(Patch{p.rect, canvas.copy(p.rect), picture, p.pictureChanged});
    }
    apply(p, canvas, picture);
    if (resumed)
        *resumed = p.unfinished;
    return true;
}

void CanvasHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_before = QImage();
    m_beforePicture = QImage();
}

qint64 CanvasHistory::bytes() const
{
    qint64 n = 0;
    for (const Patch& p : m_undo)
        n += p.bytes();
    for (const Patch& p : m_redo)
        n += p.bytes();
    return n;
}

void CanvasHistory::trim()
{
    while (m_undo.size() > kMaxSteps || (m_undo.size() > 1 && bytes() > kMaxBytes))
        m_undo.removeFirst();
}
