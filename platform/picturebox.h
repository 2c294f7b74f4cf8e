// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QFont>
#include <QImage>
#include <QWidget>
#include <cstdint>

// Colours as the programs hold them: 24-bit values with red in the low byte.
QRgb bgrToRgb(uint32_t bgr);
uint32_t rgbToBgr(QRgb rgb);

// A picture box: a widget that keeps its drawing in an image of its own size (the persistent
// image), drawn on with the pen and fill of the control. Coordinates are pixels. Nothing is
// antialiased, so a colour read back is exactly the colour drawn and a fill stops exactly at a
// stroke. Mouse events come out as signals with the button as 1 left, 2 right, 4 middle.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum { DrawModeCopyPen = 13 };
    enum { FillSolid = 0, FillTransparent = 1 };
    enum { ScalePixel = 3 };

    explicit PictureBox(QWidget* parent = nullptr);

    // Position and size; the image follows the size, keeping what fits.
    void setBounds(int left, int top, int width, int height);

    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t bgr) { m_foreColor = bgr & 0xFFFFFF; }
    uint32_t FillColor() const { return m_fillColor; }
    void setFillColor(uint32_t bgr) { m_fillColor = bgr & 0xFFFFFF; }
    uint32_t BackColor() const { return m_backColor; }
    // Like the control's BackColor: the image is cleared to the new colour.
    void setBackColor(uint32_t bgr);
    int DrawWidth() const { return m_drawWidth; }
    void setDrawWidth(int w) { m_drawWidth = w < 1 ? 1 : w; }
    int DrawMode() const { return m_drawMode; }
    void setDrawMode(int mode) { m_drawMode = mode; }
    int FillStyle() const { return m_fillStyle; }
    void setFillStyle(int style) { m_fillStyle = style; }
    int ScaleMode() const { return ScalePixel; }
    void setScaleMode(int) {} // the surface only knows pixels
    int ScaleWidth() const { return m_image.width(); }
    int ScaleHeight() const { return m_image.height(); }
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }
    QFont Font() const { return m_font; }
    void setFontName(const QString& name);
    void setFontSize(double points);

    // The colour at (x, y); -1 outside the surface.
    int64_t Point(double x, double y) const;
    // A point in the pen colour (or the one given) and pen width: one pixel, or a round dot.
    void PSet(double x, double y);
    void PSet(double x, double y, uint32_t bgr);
    // A line in the pen width with round ends; the pen colour unless one is given.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, uint32_t bgr);
    // A circle outlined in the pen colour, filled with the fill colour when the fill is solid.
    void Circle(double x, double y, double radius);
    // Text at the current position in the pen colour; the position then moves to the start of
    // the next line.
    void Print(const QString& text);
    // Clears to the background colour with the picture, if any, at the top left.
    void Cls();

    QImage Picture() const { return m_picture; }
    // Sets the background picture and shows it at once (clearing what was drawn).
    void setPicture(const QImage& picture);
    // Only what Cls goes back to changes; the drawing stays.
    void replacePicture(const QImage& picture) { m_picture = picture; }

    // For a display of few colours: every background shows as the nearest colour such a display
    // has. 0 (the default) keeps every colour.
    void setDisplayColorCount(int64_t colors) { m_displayColors = colors; }

    // The drawing as it stands (always Format_RGB32), and direct access for the fill and shrink.
    const QImage& image() const { return m_image; }
    QImage& imageForWriting() { return m_image; }
    void imageChanged() { update(); }

signals:
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitImage();
    QPen pen(uint32_t bgr) const;

    QImage m_image;
    QImage m_picture;
    uint32_t m_foreColor = 0;
    uint32_t m_fillColor = 0;
    uint32_t m_backColor = 0xFFFFFF;
    int m_drawWidth = 1;
    int m_drawMode = DrawModeCopyPen;
    int m_fillStyle = FillTransparent;
    double m_currentX = 0;
    double m_currentY = 0;
    QFont m_font;
    int64_t m_displayColors = 0;
};

// The colour a display of colors colours shows for bgr: for 16 colours or fewer the nearest of
// the 16 standard colours, for 256 or fewer the nearest of those and a 6 x 6 x 6 colour cube.
uint32_t displayColor(uint32_t bgr, int64_t colors);
