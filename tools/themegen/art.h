// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>

// Small drawing and sound helpers the sample themes are made with, so every picture and sound
// can be rebuilt from source.

// A picture of w x h filled with background, drawn on by draw, saved at path (format from the
// extension). Exits with a message when it cannot be written.
void savePicture(const QString& path, int w, int h, const QColor& background,
                 const std::function<void(QPainter&)>& draw);
void saveImage(const QString& path, const QImage& image);

// A rounded, shaded button face with a caption, in one of the states normal, highlight, down,
// inactive, current.
enum class Face { Normal, Highlight, Down, Inactive, Current };
QImage buttonFace(int w, int h, const QColor& base, const QString& caption, Face face,
                  const std::function<void(QPainter&, QRect)>& icon = {});

// A mono 16-bit PCM WAV at 22050 Hz: a sequence of notes (frequency in Hz, length in ms; 0 Hz is
// a rest), with short fades so nothing clicks.
struct Note {
    double hz;
    int ms;
};
void saveWav(const QString& path, const std::vector<Note>& notes, double volume = 0.4);

void makeFolder(const QString& path);
void writeText(const QString& path, const QByteArray& bytes);
