// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/buttonstates.h"
#include "paint/canvashistory.h"
#include "paint/lineini.h"
#include "paint/printlimit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QPoint>
#include <QVector>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class FocusCursor;
class HistoryButtonControl;
class KeyboardFocus;
class ImageControl;
class PictureBox;
class ShapeControl;
class SaveForm;
class SoundDevice;

// Whether a click at (X, Y) hits the dot at (px, py): closer than 4 pixels in both directions.
bool pntDotHit(double px, double py, double X, double Y);

// Brushbox's window: the canvas, the palette, the nine skinned tool buttons, the current colour
// and tool, the two small corner buttons and the sound control all the window's sounds go
// through. Made (and loaded) before SetInterface dresses it; Main then shows it modally.
class frm_Paint : public QWidget, public ButtonView {
    Q_OBJECT
public:
    explicit frm_Paint(QWidget* parent = nullptr);
    ~frm_Paint() override;

    QWidget* pic_Background = nullptr;
    ImageControl* img_Background = nullptr;
    PictureBox* pic_Paint = nullptr;
    PictureBox* pic_Palette = nullptr;
    PictureBox* pic_Get16Col = nullptr;
    std::array<ImageControl*, kPaintButtons> img_Button{};
    ImageControl* img_Current = nullptr;
    ShapeControl* shp_CurrentColor = nullptr;
    ImageControl* img_ExitSmall = nullptr;
    ImageControl* img_HelpSmall = nullptr;
    SoundDevice* mmc_Sound = nullptr;
    // The undo and redo buttons, when the theme has them.
    HistoryButtonControl* img_Undo = nullptr;
    HistoryButtonControl* img_Redo = nullptr;
    CanvasHistory history;

    ButtonStates states{*this};
    std::array<int16_t, kPaintButtons>& intButtonState = states.intButtonState;

    bool bolMouseDown = false;
    int16_t intLastX = 0, intLastY = 0;
    int16_t intDrawWidth = 0, intSprayWidth = 0;
    int intSprayRadius = 0, intSprayDots = 0;
    bool bolStartSoundPlayed = false;
    // The sound of the picture on the canvas, played by the sound button; empty when it has none.
    QString strPictureSound;
    // The save window, made on the first save and then only hidden.
    SaveForm* saveForm = nullptr;
    // The uniform generator over [0, 1) the spray uses; seeded from the clock.
    std::function<double()> Rnd;

    void Activate();
    void DeActivate(int index = 0);
    void DeHighlight(int16_t except) { states.DeHighlight(except); }
    void NotCurrent(int intPreserve) { states.NotCurrent(intPreserve); }
    void pntClear();
    // clearFirst: pntClear the canvas once the picture has loaded, as opening one does.
    void SetPicture(bool clearFirst = false);
    // After the open dialog: the chosen picture replaces the painting only when it can be read.
    void openChosenPicture();
    void Spray(double X, double Y);
    // Pen and fill colour become the colour the colour box shows.
    void useShownColour();
    void EnablePaintInterface();
    void UnablePaintInterface();
    // The [classroom] settings that show on the window: the print button's limit. SetInterface
    // calls it once the buttons have their pictures.
    void dressClassroom();
    // Whether the print button would print now.
    bool printReady() const;
    // Puts the undo and redo buttons the theme has on the window; SetInterface calls it once
    // their pictures are loaded.
    void makeHistoryButtons();
    // Ctrl+Z and Ctrl+Y: the last stroke, spray, fill, clear or opened picture taken back or
    // brought again. A dot-to-dot figure still being joined is taken back whole, and brought
    // again as it was, to be joined on.
    void Undo();
    void Redo();

    void Form_Load();
    void Form_Activate();
    void Form_KeyPress(int keyAscii);
    void Form_KeyUp(int keyCode, int shift);
    void img_Button_Click(int Index);
    void img_Button_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void img_Button_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void img_Button_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void img_ExitSmall_Click();
    void img_HelpSmall_Click();
    void mmc_Sound_Done(int NotifyCode);
    void pic_Paint_MouseDown(int Button, int Shift, double X, double Y);
    void pic_Paint_MouseMove(int Button, int Shift, double X, double Y);
    void pic_Paint_MouseUp(int Button, int Shift, double X, double Y);
    void pic_Palette_MouseDown(int Button, int Shift, double X, double Y);

    // The keyboard's and a switch's way over the window (the frame, the drawing cursor).
    KeyboardFocus* keyboard() const { return m_keys; }
    QPoint keyboardCursor() const { return m_cursorAt; }

    // ButtonView
    void showButtonPicture(int index, const QImage& picture) override;
    void showCurrentMini(const QImage& picture) override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillScreen();
    // The print button looks inactive while printing is off or resting after a print.
    void showPrintLook();
    void beginStep();
    void endStep(bool unfinished = false);
    // While a figure is joined only buttons that are always active stay usable.
    void lockToolsForFigure();
    // The figure taken back unfinished, and its pen, for its redo.
    LineFigure m_figureToResume;
    uint32_t m_penToResume = 0;
    void showHistory();
    PrintLimit m_printLimit;
    QElapsedTimer m_clock;
    QTimer m_printRest;
    // Esc, Alt+F4 and the quit buttons: the end, unless the theme forbids quitting.
    void askToEnd();
    void dotToDotHit(double X, double Y);
    void completeFigure();
    void printCanvas();
    void playFile(const QString& path);
    void openPicture();
    void savePainting();

    // The keyboard and a switch (frm_paint_keys.cpp).
    void makeKeyboard();
    QVector<QWidget*> keyboardStops() const;
    bool keyboardArrow(QWidget* stop, int key, bool shift);
    bool keyboardPress(QWidget* stop, bool down, bool enter);
    void steerPress();
    void endKeyStroke();
    void moveCursor(QPoint to);
    QPoint paletteAt() const;
    void pickPaletteAt(QPoint at);
    void showKeyboardMarks();
    KeyboardFocus* m_keys = nullptr;
    FocusCursor* m_cursor = nullptr;      // on the canvas
    FocusCursor* m_paletteMark = nullptr; // where the palette's pick stands
    QPoint m_cursorAt;
    QPoint m_paletteAt{-1, -1};
    bool m_keyStroke = false; // the left button held down by Space or the steering's pen
    int m_steer = -1;         // the canvas's steering stop; -1 while the arrows steer

    // Names and roles for assistive technology (frm_paint_access.cpp).
    void describeForAssistiveTechnology();
    void describeHistoryButtons();
};
