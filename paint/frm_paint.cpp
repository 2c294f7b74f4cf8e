// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_paint.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/gfx.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/sounddevice.h"
#include "paint/ending.h"
#include "paint/historybutton.h"
#include "paint/keyboardfocus.h"
#include "paint/lineini.h"
#include "paint/helplaunchers.h"
#include "paint/setinterface.h"
#include "paint/paintsettings.h"
#include "paint/printcanvas.h"
#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <cmath>
#include <random>

namespace {
void debugLog(const QString& line)
{
    if (bolDebug)
        pntWriteLog(line);
}

const PaintButton& button(int i) { return PaintSettings.buttons[size_t(i)]; }

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// Rounds as the canvas coordinates are kept: to the nearest whole pixel, halves to even.
int16_t toPixel(double v) { return mathClampInt16(mathRoundHalfEven(v)); }

constexpr uint32_t kWhite = 0xFFFFFF;
}

frm_Paint::frm_Paint(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Paint"));
    setWindowTitle(QStringLiteral("Brushbox"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    pic_Background = new QWidget(this);
    pic_Background->setObjectName(QStringLiteral("pic_Background"));
    pic_Background->setMouseTracking(true);
    pic_Background->installEventFilter(this);
    place(pic_Background, 0, 0, 9615, 7215);

    img_Background = new ImageControl(pic_Background);
    img_Background->setObjectName(QStringLiteral("img_Background"));
    img_Background->setStretch(true);
    img_Background->setAttribute(Qt::WA_TransparentForMouseEvents);

    shp_CurrentColor = new ShapeControl(pic_Background);
    shp_CurrentColor->setObjectName(QStringLiteral("shp_CurrentColor"));
    place(shp_CurrentColor, 1800, 240, 1335, 1335);
    img_Current = new ImageControl(pic_Background);
    img_Current->setObjectName(QStringLiteral("img_Current"));
    img_Current->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(img_Current, 2160, 600, 615, 615);
    for (int i = 0; i < kPaintButtons; ++i) {
        ImageControl* b = new ImageControl(pic_Background);
        b->setObjectName(QStringLiteral("img_Button%1").arg(i));
        place(b, kButtonPlaces[i][0], kButtonPlaces[i][1], kButtonPlaces[i][2], kButtonPlaces[i][3]);
        connect(b, &ImageControl::MouseDown, this, [this, i](int bt, int sh, double x, double y) { img_Button_MouseDown(i, bt, sh, x, y); });
        connect(b, &ImageControl::MouseMove, this, [this, i](int bt, int sh, double x, double y) { img_Button_MouseMove(i, bt, sh, x, y); });
        connect(b, &ImageControl::MouseUp, this, [this, i](int bt, int sh, double x, double y) { img_Button_MouseUp(i, bt, sh, x, y); });
        connect(b, &ImageControl::Click, this, [this, i] { img_Button_Click(i); });
        img_Button[size_t(i)] = b;
    }

    pic_Paint = new PictureBox(pic_Background);
    pic_Paint->setObjectName(QStringLiteral("pic_Paint"));
    pic_Paint->setBounds(twipsToPixels(3360), twipsToPixels(240), twipsToPixels(6015), twipsToPixels(6015));
    pic_Paint->setBackColor(kWhite);
    connect(pic_Paint, &PictureBox::MouseDown, this, &frm_Paint::pic_Paint_MouseDown);
    connect(pic_Paint, &PictureBox::MouseMove, this, &frm_Paint::pic_Paint_MouseMove);
    connect(pic_Paint, &PictureBox::MouseUp, this, &frm_Paint::pic_Paint_MouseUp);

    pic_Palette = new PictureBox(pic_Background);
    pic_Palette->setObjectName(QStringLiteral("pic_Palette"));
    pic_Palette->setBounds(twipsToPixels(240), twipsToPixels(6480), twipsToPixels(9135), twipsToPixels(495));
    pic_Palette->setBackColor(0x808080);
    connect(pic_Palette, &PictureBox::MouseDown, this, &frm_Paint::pic_Palette_MouseDown);
    connect(pic_Palette, &PictureBox::MouseMove, this, [this] { DeHighlight(-1); });

    pic_Get16Col = new PictureBox(pic_Background);
    pic_Get16Col->setObjectName(QStringLiteral("pic_Get16Col"));
    pic_Get16Col->setBounds(0, 0, twipsToPixels(375), twipsToPixels(495));
    pic_Get16Col->hide();

    img_HelpSmall = new ImageControl(pic_Background);
    img_HelpSmall->setObjectName(QStringLiteral("img_HelpSmall"));
    place(img_HelpSmall, 9135, 0, 240, 210);
    connect(img_HelpSmall, &ImageControl::Click, this, &frm_Paint::img_HelpSmall_Click);
    img_ExitSmall = new ImageControl(pic_Background);
    img_ExitSmall->setObjectName(QStringLiteral("img_ExitSmall"));
    place(img_ExitSmall, 9375, 0, 240, 210);
    connect(img_ExitSmall, &ImageControl::Click, this, &frm_Paint::img_ExitSmall_Click);

    mmc_Sound = new SoundDevice(this);
    connect(mmc_Sound, &SoundDevice::Done, this, &frm_Paint::mmc_Sound_Done);

    auto engine = std::make_shared<std::mt19937>(uint32_t(QDateTime::currentMSecsSinceEpoch()));
    Rnd = [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };

    m_clock.start();
    m_printRest.setSingleShot(true);
    connect(&m_printRest, &QTimer::timeout, this, &frm_Paint::showPrintLook);

    setFixedSize(pic_Background->size());
    makeKeyboard();
    describeForAssistiveTechnology();
    if (!PaintSettings.paintPicture.isNull())
        pic_Paint->setPicture(PaintSettings.paintPicture);
    Form_Load();
}

frm_Paint::~frm_Paint() = default;

void frm_Paint::Form_Load()
{
    debugLog(QStringLiteral("=> Form_Load <="));
    intDrawWidth = 5;
    pic_Paint->setDrawWidth(5);
    intSprayWidth = 1;
    intSprayRadius = 20;
    intSprayDots = 40;
    // The window is exactly the size of pic_Background, so centring the window centres it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - pic_Background->width()) / 2, area.y() + (area.height() - pic_Background->height()) / 2);
    }
    pntClear();
}

void frm_Paint::Form_Activate()
{
    debugLog(QStringLiteral("=> Form_Activate <="));
    if (!bolStartSoundPlayed && !PaintSettings.interface.startsound.isEmpty()) {
        const QString file = PaintSettings.snd.expanded + PaintSettings.interface.startsound;
        if (fioFileExists(file))
            playFile(file);
    }
    bolStartSoundPlayed = true;
}

void frm_Paint::playFile(const QString& path)
{
    bolButtonSound = false;
    mmc_Sound->setCommand(QStringLiteral("close"));
    mmc_Sound->setFileName(path);
    mmc_Sound->setCommand(QStringLiteral("open"));
    mmc_Sound->setCommand(QStringLiteral("play"));
}

void frm_Paint::pntClear()
{
    pic_Paint->Cls();
    const uint32_t pen = pic_Paint->ForeColor();
    pic_Paint->setFillColor(kWhite);
    gfxFloodFill(*pic_Paint, 10, 10);
    pic_Paint->setForeColor(pen);
    pic_Paint->setFillColor(pen);
}

void frm_Paint::useShownColour()
{
    pic_Paint->setForeColor(shp_CurrentColor->backColor());
    pic_Paint->setFillColor(shp_CurrentColor->backColor());
}

void frm_Paint::EnablePaintInterface()
{
    setEnabled(true);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void frm_Paint::UnablePaintInterface()
{
    // Both leave the window usable: a click must never leave it locked.
    EnablePaintInterface();
}

void frm_Paint::dressClassroom()
{
    if (PaintSettings.classroom.fullscreen)
        fillScreen();
    m_printLimit = PrintLimit(PaintSettings.classroom.print, PaintSettings.classroom.printdelay);
    showPrintLook();
}

void frm_Paint::fillScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The window's picture in the middle, the rest in the colour of its edge.
    const QRect area = screen->geometry();
    setFixedSize(area.size());
    move(area.topLeft());
    pic_Background->move((area.width() - pic_Background->width()) / 2, (area.height() - pic_Background->height()) / 2);
    const QImage back = img_Background->picture();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back.isNull() ? QColor(Qt::black) : QColor(back.pixel(0, 0)));
    setPalette(pal);
    setAutoFillBackground(true);
    setWindowState(Qt::WindowFullScreen);
}

bool frm_Paint::printReady() const { return m_printLimit.mayPrint(m_clock.elapsed()); }

void frm_Paint::showPrintLook()
{
    const PaintButton& b = button(btnPrint);
    if (!b.active && !b.activemade)
        return;
    const qint64 rest = m_printLimit.restMs(m_clock.elapsed());
    if (rest > 0)
        m_printRest.start(int(rest));
    ImageControl* image = img_Button[btnPrint];
    if (!printReady()) {
        if (!b.inactive.file.isEmpty())
            image->setPicture(b.inactive.picture);
        intButtonState[btnPrint] = bsInactive;
    } else if (intButtonState[btnPrint] == bsInactive && ButtonStates::usable(btnPrint)) {
        states.setNormal(btnPrint);
    }
}

void frm_Paint::img_Button_Click(int Index)
{
    if (Index == btnPrint && !printReady()) {
        // Resting after a print: the theme's words, when it has some, say to wait.
        if (PaintSettings.classroom.print && !PaintSettings.classroom.printwait.isEmpty() && ButtonStates::usable(btnPrint))
            msgBox(PaintSettings.classroom.printwait, MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Brushbox"));
        return;
    }
    UnablePaintInterface();
    if (!bolEndRequested && ButtonStates::usable(Index)) {
        switch (Index) {
        case btnDraw:
        case btnSpray:
        case btnFill:
            if (intTool != 3)
                intTool = int16_t(Index);
            break;
        case btnClear:
            if (intTool != 3) {
                beginStep();
                pntClear();
                endStep();
            }
            break;
        case btnPrint: printCanvas(); break;
        case btnSave: savePainting(); break;
        case btnOpen: openPicture(); break;
        case btnSound: {
            const QString sound = strPictureSound;
            if (!sound.isEmpty() && fioFileExists(sound)) {
                mmc_Sound->setCommand(QStringLiteral("stop"));
                mmc_Sound->setCommand(QStringLiteral("eject"));
                playFile(sound);
            }
            break;
        }
        default: break;
        }
    }
    UnablePaintInterface();
    m_keys->refresh();
}

void frm_Paint::printCanvas()
{
    m_printLimit.printed(m_clock.elapsed());
    showPrintLook();
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pntPrintCanvas(pic_Paint->image());
    EnablePaintInterface();
}

void frm_Paint::img_Button_MouseDown(int Index, int, int, double, double)
{
    if (Index == btnPrint && !printReady())
        return;
    if (states.MouseDown(Index))
        PlayButton(*mmc_Sound);
}

void frm_Paint::img_Button_MouseMove(int Index, int Button, int, double, double)
{
    // A press whose release the window never saw (it was minimised meanwhile) is forgotten: the
    // button shows its picture again and does nothing.
    if (!(Button & 1) && intButtonState[size_t(Index)] == bsPressed)
        states.setNormal(Index);
    if (Index != btnPrint || printReady())
        states.MouseMove(Index);
}

void frm_Paint::img_Button_MouseUp(int Index, int, int, double, double)
{
    if (Index == btnPrint && !printReady())
        return;
    if (states.MouseUp(Index))
        askToEnd();
}

void frm_Paint::img_ExitSmall_Click() { askToEnd(); }

void frm_Paint::askToEnd()
{
    // In a classroom only the adults' Ctrl+Shift+Q ends the program.
    if (!PaintSettings.classroom.noquit)
        pntEndProgram();
}

void frm_Paint::img_HelpSmall_Click()
{
    ShowPaintHelp(this);
}

void frm_Paint::mmc_Sound_Done(int)
{
    if (!bolButtonSound) {
        mmc_Sound->setCommand(QStringLiteral("close"));
        mmc_Sound->setFileName(PaintSettings.snd.expanded + PaintSettings.interface.buttonsound);
        mmc_Sound->setCommand(QStringLiteral("open"));
        bolButtonSound = true;
    } else {
        mmc_Sound->setCommand(QStringLiteral("prev"));
    }
}

void frm_Paint::pic_Paint_MouseDown(int Button, int, double X, double Y)
{
    if (Button != 1)
        return;
    const int64_t c = pic_Paint->Point(X, Y);
    const bool locked = c == int64_t(PaintSettings.function.lockcolor);
    switch (intTool) {
    case 0:
        if (locked)
            return;
        beginStep();
        bolMouseDown = true;
        pic_Paint->setDrawWidth(intDrawWidth);
        intLastX = toPixel(X);
        intLastY = toPixel(Y);
        pic_Paint->PSet(X, Y);
        break;
    case 1:
        if (locked)
            return;
        beginStep();
        bolMouseDown = true;
        pic_Paint->setDrawWidth(intSprayWidth);
        Spray(X, Y);
        break;
    case 2:
        if (locked)
            return;
        beginStep();
        gfxFloodFill(*pic_Paint, X, Y);
        endStep();
        bolMouseDown = false;
        break;
    case 3: dotToDotHit(X, Y); break;
    default: break;
    }
}

void frm_Paint::pic_Paint_MouseMove(int Button, int, double X, double Y)
{
    DeHighlight(-1);
    if (!bolMouseDown)
        return;
    // The release can be lost (the window minimised mid-stroke, the button let go elsewhere):
    // a move without the button ends the stroke instead of drawing on.
    if (!(Button & 1)) {
        pic_Paint_MouseUp(1, 0, X, Y);
        return;
    }
    if (intTool == 0) {
        pic_Paint->Line(intLastX, intLastY, X, Y);
        intLastX = toPixel(X);
        intLastY = toPixel(Y);
    } else if (intTool == 1) {
        Spray(X, Y);
    }
}

void frm_Paint::pic_Paint_MouseUp(int Button, int, double, double)
{
    if (Button == 1 && intTool >= 0 && intTool <= 2) {
        bolMouseDown = false;
        endStep();
    }
}

void frm_Paint::beginStep() { history.begin(pic_Paint->image(), pic_Paint->Picture()); }

void frm_Paint::endStep(bool unfinished)
{
    history.commit(pic_Paint->image(), pic_Paint->Picture(), unfinished);
    showHistory();
}

void frm_Paint::showHistory()
{
    if (img_Undo)
        img_Undo->setAvailable(history.canUndo() || history.inStep());
    if (img_Redo)
        img_Redo->setAvailable(history.canRedo());
    if (m_keys)
        m_keys->refresh();
}

void frm_Paint::Undo()
{
    // A stroke still being drawn, or a figure still being joined, ends here and goes back whole.
    bolMouseDown = false;
    const bool figure = intTool == 3;
    if (figure) {
        m_figureToResume = Figure;
        m_penToResume = pic_Paint->ForeColor();
    }
    endStep(figure);
    QImage picture = pic_Paint->Picture();
    if (!history.undo(pic_Paint->imageForWriting(), picture))
        return;
    pic_Paint->replacePicture(picture);
    pic_Paint->imageChanged();
    if (figure) {
        Figure.clear();
        intTool = 2;
        useShownColour();
        Activate();
    }
    showHistory();
}

void frm_Paint::Redo()
{
    if (bolMouseDown || intTool == 3)
        return;
    QImage picture = pic_Paint->Picture();
    bool resumed = false;
    if (!history.redo(pic_Paint->imageForWriting(), picture, &resumed))
        return;
    pic_Paint->replacePicture(picture);
    pic_Paint->imageChanged();
    if (resumed) {
        // The figure comes back with its joining so far, and the next hit goes on from there.
        Figure = m_figureToResume;
        intTool = 3;
        lockToolsForFigure();
        pic_Paint->setForeColor(m_penToResume);
    }
    showHistory();
}

void frm_Paint::makeHistoryButtons()
{
    auto make = [this](const HistoryButton& look, const char* name, void (frm_Paint::*act)()) -> HistoryButtonControl* {
        if (!look.present)
            return nullptr;
        auto* b = new HistoryButtonControl(look, pic_Background);
        b->setObjectName(QLatin1String(name));
        b->move(look.left, look.top);
        b->show();
        connect(b, &HistoryButtonControl::activated, this, act);
        return b;
    };
    img_Undo = make(PaintSettings.undoButton, "img_Undo", &frm_Paint::Undo);
    img_Redo = make(PaintSettings.redoButton, "img_Redo", &frm_Paint::Redo);
    describeHistoryButtons();
    showHistory();
}

void frm_Paint::Spray(double X, double Y)
{
    for (int i = 0; i < intSprayDots; ++i) {
        const double dx = std::floor(1 - intSprayRadius * Rnd()) + intSprayRadius / 2;
        const double dy = std::floor(1 - intSprayRadius * Rnd()) + intSprayRadius / 2;
        pic_Paint->PSet(X + dx, Y + dy);
    }
}

void frm_Paint::pic_Palette_MouseDown(int, int, double X, double Y)
{
    const int32_t n = gfxGetColorCount(this);
    const int64_t found = pic_Palette->Point(X, Y);
    uint32_t picked = found < 0 ? pic_Palette->BackColor() : uint32_t(found);
    if (n <= 256) {
        pic_Get16Col->setDisplayColorCount(n);
        pic_Get16Col->setBackColor(picked);
        picked = uint32_t(pic_Get16Col->Point(4, 4));
    }
    pic_Paint->setForeColor(picked);
    pic_Paint->setFillColor(pic_Paint->ForeColor());
    shp_CurrentColor->setBackColor(pic_Paint->ForeColor());
}

void frm_Paint::DeActivate(int index)
{
    for (int i : {int(btnDraw), int(btnSpray), int(btnFill)}) {
        if (i == index || !button(i).active)
            continue;
        if (!button(i).inactive.file.isEmpty())
            img_Button[size_t(i)]->setPicture(button(i).inactive.picture);
        else
            img_Button[size_t(i)]->hide();
        intButtonState[size_t(i)] = bsInactive;
        img_Button[size_t(i)]->setEnabled(false);
    }
    m_keys->refresh();
}

void frm_Paint::lockToolsForFigure()
{
    DeActivate(-1);
    for (int i = 0; i < kPaintButtons; ++i) {
        const PaintButton& b = button(i);
        if (b.active)
            continue;
        if (!b.inactive.file.isEmpty())
            img_Button[size_t(i)]->setPicture(b.inactive.picture);
        else
            img_Button[size_t(i)]->hide();
    }
}

void frm_Paint::Activate()
{
    for (int i = 0; i < kPaintButtons; ++i) {
        if (!button(i).activemade)
            continue;
        if (!button(i).normal.file.isEmpty())
            img_Button[size_t(i)]->setPicture(button(i).normal.picture);
        img_Button[size_t(i)]->show();
        intButtonState[size_t(i)] = bsNormal;
        img_Button[size_t(i)]->setEnabled(true);
    }
    if (PaintSettings.palette.active || PaintSettings.palette.activemade) {
        pic_Palette->setPicture(PaintSettings.palette.normal.picture);
        pic_Palette->show();
    }
    showPrintLook();
    m_keys->refresh();
}

void frm_Paint::showButtonPicture(int index, const QImage& picture) { img_Button[size_t(index)]->setPicture(picture); }
void frm_Paint::showCurrentMini(const QImage& picture) { img_Current->setPicture(picture); }

void frm_Paint::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        askToEnd();
}

void frm_Paint::Form_KeyUp(int keyCode, int shift)
{
    if (keyCode == Qt::Key_F1)
        ShowPaintHelp(this);
    else if (keyCode == Qt::Key_F4 && (shift & 4))
        askToEnd();
}

bool frm_Paint::event(QEvent* e)
{
    // Tab goes from control to control of the skin, not through Qt's chain of focus.
    // Qt sends events while the window is still being made, before its keyboard is.
    if (m_keys && m_keys->tabEvent(e))
        return true;
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    // Space let go in another window never comes back here: the pen it holds down comes up now.
    // A switch's pen, put down and lifted by presses, stays as it is.
    if (e->type() == QEvent::WindowDeactivate && m_steer < 0)
        endKeyStroke();
    return QWidget::event(e);
}

void frm_Paint::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = shortcutKey(*e);
    if (key == Qt::Key_Z && mods == Qt::ControlModifier)
        Undo();
    else if ((key == Qt::Key_Y && mods == Qt::ControlModifier) || (key == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)))
        Redo();
    else if (e->key() == Qt::Key_Escape)
        Form_KeyPress(27);
    else if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier))
        e->accept(); // the end comes with the release, as the window system's Alt+F4
    else if (!m_keys->keyPress(*e))
        QWidget::keyPressEvent(e);
}

void frm_Paint::keyReleaseEvent(QKeyEvent* e)
{
    if (m_keys->keyRelease(*e) || e->isAutoRepeat())
        return;
    Form_KeyUp(e->key(), shiftCode(e->modifiers()));
}

void frm_Paint::closeEvent(QCloseEvent* e)
{
    if (PaintSettings.classroom.noquit && !bolEndRequested)
        e->ignore();
    else
        QWidget::closeEvent(e);
}

void frm_Paint::mouseMoveEvent(QMouseEvent* e)
{
    DeHighlight(-1);
    QWidget::mouseMoveEvent(e);
}

bool frm_Paint::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == pic_Background && e->type() == QEvent::MouseMove)
        DeHighlight(-1);
    return QWidget::eventFilter(watched, e);
}
