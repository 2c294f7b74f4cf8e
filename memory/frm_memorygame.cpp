// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/frm_memorygame.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/gfx.h"
#include "common/log.h"
#include "common/sounddevice.h"
#include "common/string32.h"
#include "memory/keyboardplay.h"
#include "memory/memerrors.h"
#include "memory/memlayout.h"
#include "memory/memwidgets.h"
#include "memory/twinturn.h"
#include "paint/frm_help.h"
#include "paint/frm_splash.h"
#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/focusframe.h"
#include "platform/picture.h"
#include "platform/windowframe.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
QSize g_testScreen;

void debugLog(const QString& line)
{
    if (bolDebug)
        memWriteLog(line);
}

QFont qtFont(const MemFont& f)
{
    QFont font(f.name, 12);
    font.setPointSizeF(f.size > 0 ? f.size : 12);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

int labelHeight(const QFont& font) { return QFontMetrics(font).height() + 4; }

// The device the game plays through.
class DevicePort : public MemSoundPort {
public:
    explicit DevicePort(SoundDevice* device) : m_device(device) {}
    void setFileName(const QString& path) override { m_device->setFileName(path); }
    void command(const QString& command) override { m_device->setCommand(command); }
    int completionStatus() const override { return m_device->completionStatus(); }

private:
    SoundDevice* m_device;
};

// The plain coloured splash window of the memory game.
class SplashHost : public MemSplashHost {
public:
    bool used = false;
    void setBackColor(uint32_t bgr) override { window()->setBackColor(bgr); }
    void setMaximized() override { window()->setMaximized(); }
    void showAndWait() override
    {
        window()->showAndWait();
        if (bolEndRequested)
            memEndProgram(0);
    }

private:
    frm_Splash* window()
    {
        used = true;
        return splashWindow(frm_Splash::Kind::Memory);
    }
};

SplashHost g_splashHost;

// What the end shows when its picture is missing: a plain card the child can still click.
QImage fallbackEnd(bool good)
{
    QImage img(360, 200, QImage::Format_RGB32);
    img.fill(good ? QColor(0xFF, 0xE0, 0x70) : QColor(0x90, 0xB0, 0xE0));
    QPainter p(&img);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.setFont(QFont(QStringLiteral("Arial"), 28, QFont::Bold));
    p.drawText(img.rect(), Qt::AlignCenter, good ? QStringLiteral("Well done!") : QStringLiteral("The end"));
    return img;
}

// A face-down card for a game whose back picture could not be loaded and that draws no border:
// without it the cards would be invisible and a child would see an empty board.
QImage fallbackBack(QSize size)
{
    QImage img(size.expandedTo(QSize(8, 8)), QImage::Format_RGB32);
    img.fill(QColor(0x70, 0x60, 0xC0));
    QPainter p(&img);
    p.setPen(QPen(QColor(0xD0, 0xC8, 0xF0), 3));
    p.drawRect(img.rect().adjusted(2, 2, -3, -3));
    p.setPen(QColor(0xFF, 0xE0, 0x70));
    p.setFont(QFont(QStringLiteral("Arial"), std::max(8, img.height() / 3), QFont::Bold));
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return img;
}
}

void frm_MemoryGame::setScreenSizeForTests(QSize size) { g_testScreen = size; }

QSize frm_MemoryGame::screenSize()
{
    if (g_testScreen.isValid())
        return g_testScreen;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

QRect frm_MemoryGame::insideForGame(QSize screen)
{
    const QRect whole(QPoint(0, 0), screen);
    if (g_testScreen.isValid() || state.classroom.fullscreen)
        return whole;
    // Under a window manager the window and its title bar fit the work area, not the screen.
    const QRect inside = insideOfWorkArea(this);
    return inside.isEmpty() ? whole : inside;
}

frm_MemoryGame::frm_MemoryGame(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_MemoryGame"));
    setWindowTitle(QStringLiteral("Twinturn"));
    setAutoFillBackground(true);
    pic_Background = new MemCanvas(this);
    pic_Background->setObjectName(QStringLiteral("pic_Background"));
    for (int m = 0; m < 6; ++m) {
        auto* img = new MemImage(pic_Background);
        img->setGeometry(memDesign::ControlLeft, memDesign::ControlTop + m * memDesign::ControlStep,
                         memDesign::ControlWidth, memDesign::ControlHeight);
        img->hide();
        img_Control << img;
        lbl_Control << newLabel(QStringLiteral("lbl_Control"), QStringLiteral("Control"));
    }
    for (int p = 0; p < 4; ++p) {
        auto* img = new MemImage(pic_Background);
        img->resize(memDesign::PlayerWidth, memDesign::PlayerHeight);
        img->hide();
        img_Player << img;
        lbl_PlayerName << newLabel(QStringLiteral("lbl_PlayerName"), QStringLiteral("PlayerName"));
        lbl_PlayerScore << newLabel(QStringLiteral("lbl_PlayerScore"), QStringLiteral("Score"));
    }
    img_Quit = new MemImage(pic_Background);
    img_Quit->setObjectName(QStringLiteral("img_Quit"));
    img_Quit->resize(memDesign::QuitWidth, memDesign::QuitHeight);
    img_Quit->hide();
    connect(img_Quit, &MemImage::clicked, this, [this] { img_Quit_Click(); });
    pic_End = new MemImage(this);
    pic_End->setObjectName(QStringLiteral("pic_End"));
    pic_End->hide();
    connect(pic_End, &MemImage::clicked, this, [this] { pic_End_Click(); });

    tim_Timer.setInterval(1000);
    connect(&tim_Timer, &QTimer::timeout, this, [this] {
        if (game)
            game->tim_Timer_Timer();
    });
    // tim_Wipe never ticks: it has no interval and is never started.
    connect(&tim_Wipe, &QTimer::timeout, this, [] { ::doEvents(); });

    mmc_Sound = new SoundDevice(this);
    m_port = std::make_unique<DevicePort>(mmc_Sound);
    connect(mmc_Sound, &SoundDevice::Done, this, [this](int code) {
        if (game)
            game->mmc_Sound_Done(code);
    });
    connect(mmc_Sound, &SoundDevice::StatusUpdate, this, [this] {
        if (game)
            game->mmc_Sound_StatusUpdate();
    });
    game = std::make_unique<MemoryGame>(state, *this, *m_port);
}

frm_MemoryGame::~frm_MemoryGame() = default;

MemLabel* frm_MemoryGame::newLabel(const QString& name, const QString& caption)
{
    auto* label = new MemLabel(pic_Background);
    label->setObjectName(name);
    label->setText(caption);
    label->hide();
    return label;
}

bool frm_MemoryGame::Form_Load()
{
    state.memGameReady = false;
    mmc_Sound->setCommand(QStringLiteral("close"));
    mmc_Sound->setCommand(QStringLiteral("eject"));
    mmc_Sound->setNotify(true);
    memSetDefaultValues(state);
    state.random.randomize();
    bolStartFailed = false;
    const QSize screen = screenSize();
    bool ok = memCheckINI(state, memFile, files);
    if (ok)
        memReset();
    ok = ok && memOpenINI(state, memFile, &g_splashHost, files);
    ok = ok && memCheckValues(state);
    if (ok)
        m_inside = insideForGame(screen);
    ok = ok && memFixVariabels(state, screen, m_inside.size());
    ok = ok && memMakeInterface();
    if (!ok) {
        bolStartFailed = true;
        return false;
    }
    game->memInitValues();
    return true;
}

void frm_MemoryGame::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Without a window manager no activation arrives; being shown counts as becoming active.
    QTimer::singleShot(0, this, [this] {
        if (!m_activated)
            Form_Activate();
    });
}

bool frm_MemoryGame::event(QEvent* e)
{
    // Tab is the keyboard's way between the cards and the text list, not between controls.
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab && keyboardPlay(Qt::Key_Tab))
        return true;
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(e);
}

void frm_MemoryGame::Form_Activate()
{
    m_activated = true;
    debugLog(QStringLiteral("=> Form_Activate <="));
    if (bolStartFailed) {
        done(0);
        return;
    }
    if (g_splashHost.used) {
        g_splashHost.used = false;
        destroySplashWindow();
        debugLog(QStringLiteral("--> Form_Activate: Stängde Splash Screen "));
    }
    state.memGameReady = true;
    debugLog(QStringLiteral("--> Form_Activate END"));
}

void frm_MemoryGame::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && keyboardPlay(e->key()))
        return;
    if (e->key() == Qt::Key_Escape)
        Form_KeyPress(27);
    else if (!text.isEmpty())
        Form_KeyPress(text.at(0).unicode());
    else
        QDialog::keyPressEvent(e);
}

void frm_MemoryGame::keyReleaseEvent(QKeyEvent* e)
{
    int code = 0;
    if (e->key() == Qt::Key_F1)
        code = 112;
    else if (e->key() == Qt::Key_F4)
        code = 115;
    const int shift = (e->modifiers() & Qt::ShiftModifier ? 1 : 0) | (e->modifiers() & Qt::ControlModifier ? 2 : 0)
                      | (e->modifiers() & Qt::AltModifier ? 4 : 0);
    Form_KeyUp(code, shift);
}

void frm_MemoryGame::Form_KeyPress(int keyAscii)
{
    debugLog(QStringLiteral("=> Form_Keypress <="));
    if (keyAscii == 27 && !state.classroom.noquit)
        memDoEnd();
}

void frm_MemoryGame::Form_KeyUp(int keyCode, int shift)
{
    if (keyCode == 112 && state.ui.HelpActive)
        showHelpScreen(true, state.ui.gfx, state.ui.HelpPicture, this);
    else if (keyCode == 115 && (shift & 4) && !state.classroom.noquit)
        memEndProgram(0);
}

void frm_MemoryGame::closeEvent(QCloseEvent* e)
{
    if (bolStartFailed) {
        e->accept();
        return;
    }
    e->ignore();
    if (!state.classroom.noquit)
        memDoEnd();
}

void frm_MemoryGame::reject()
{
    if (!state.classroom.noquit)
        memDoEnd();
}

void frm_MemoryGame::memDoEnd()
{
    debugLog(QStringLiteral("=> memDoEnd <="));
    mmc_Sound->setCommand(QStringLiteral("close"));
    hide();
    memEndProgram(0);
}

void frm_MemoryGame::img_Quit_Click()
{
    if (state.classroom.noquit)
        return;
    setEnabled(false);
    memDoEnd();
}

void frm_MemoryGame::pic_End_Click() { memEndProgram(0); }

// ---- Layout -----------------------------------------------------------------------------------

bool frm_MemoryGame::memMakeInterface()
{
    memInterface& ui = state.ui;
    if (!m_inside.isValid())
        m_inside = QRect(QPoint(0, 0), screenSize());
    setGeometry(m_inside);
    // The window covers the screen already; a window manager then leaves off its frame too.
    if (state.classroom.fullscreen)
        setWindowState(Qt::WindowFullScreen);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colorFromBgr(ui.BackColor));
    setPalette(pal);

    pic_Background->setGeometry(ui.OffsetX, ui.OffsetY, ui.Layout.Width, ui.Layout.Height);
    pic_Background->setPlayArea(QRect(ui.BoardLeft, ui.BoardTop, ui.BoardWidth, ui.BoardHeight));

    const int row = ui.Layout.Index;
    const QString bk = row >= 0 && row < 5 ? ui.BkPictures[row] : QString();
    if (!bk.isEmpty()) {
        const QString path = ui.gfx + bk;
        if (fioFileExists(path)) {
            QString why;
            // Stretched over the board: a drawing is drawn at that size.
            const QImage img = loadPicture(path, &why, pic_Background->size());
            if (img.isNull())
                memHandleError(110, path, why);
            pic_Background->setBackground(img);
        } else {
            memHandleError(100, path);
        }
    }

    if (ui.TextList.Active)
        makeTextLabels();

    auto loadInto = [&](MemImage* image, const QString& name, int missing) {
        const QString path = ui.gfx + name;
        if (!fioFileExists(path)) {
            memHandleError(missing, path);
            return false;
        }
        QString why;
        const QImage img = loadPicture(path, &why);
        if (img.isNull()) {
            memHandleError(110, path, why);
            return false;
        }
        image->setPicture(img);
        return true;
    };

    for (int c = 0; c < int(ui.Controls.size()); ++c) {
        const memControl& ctl = ui.Controls[c];
        if (!ctl.Active)
            continue;
        const int m = ctl.Order;
        if (!ctl.Picture.isEmpty() && loadInto(img_Control[m], ctl.Picture, 102))
            img_Control[m]->show();
        MemLabel* label = lbl_Control[m];
        label->setForeColor(ctl.ForeColor);
        label->setFont(qtFont(ui.ControlFonts[m]));
        label->setText(gamPaddedCaption(QStringLiteral("0"), label->font().pointSizeF()));
        const int h = labelHeight(label->font());
        const QRect pic = img_Control[m]->geometry();
        const int designTop = pic.top() + pic.height() - h;
        label->setGeometry(pic.left(), memControlLabelTop(ctl.PlaceY, pic.top(), pic.height(), h, designTop),
                           img_Control[0]->width(), h);
        const Qt::Alignment horizontal = ctl.PlaceX == 1 ? Qt::AlignRight : ctl.PlaceX == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignVCenter);
        label->show();
        label->raise();
    }

    if (!ui.QuitPicture.isEmpty() && loadInto(img_Quit, ui.QuitPicture, 103))
        img_Quit->show();
    img_Quit->move(memDesign::QuitLeft, ui.Layout.Height - img_Quit->height() - 8);

    const int players = int(state.memPlayers.size());
    // Each player's panel looks for the picture, so a missing one is reported once per player;
    // a picture that is there is read only once.
    QImage playerPicture;
    bool playerPictureRead = false;
    for (int p = 0; p < 4; ++p) {
        if (p >= players) {
            lbl_PlayerName[p]->hide();
            lbl_PlayerScore[p]->hide();
            continue;
        }
        MemImage* img = img_Player[p];
        img->move(ui.BoardLeft + p * memDesign::PlayerStep, ui.Layout.Height - img->height() - 8);
        bool pictureFound = false;
        if (!ui.PlayerPicture.isEmpty()) {
            const QString path = ui.gfx + ui.PlayerPicture;
            if (!fioFileExists(path)) {
                memHandleError(104, path);
            } else {
                if (!playerPictureRead) {
                    playerPictureRead = true;
                    QString why;
                    playerPicture = loadPicture(path, &why);
                    if (playerPicture.isNull())
                        memHandleError(110, path, why);
                }
                pictureFound = !playerPicture.isNull();
            }
        }
        if (pictureFound) {
            img->setPicture(playerPicture);
            img->show();
        }
        const QRect r = img->geometry();
        MemLabel* score = lbl_PlayerScore[p];
        score->setFont(qtFont(ui.ScoreFont));
        score->setForeColor(ui.ScoreForeColor);
        score->setText(QStringLiteral("0 "));
        score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The score takes what its largest value needs; the name has the rest of the panel.
        const QString widest = QStringLiteral("%1 ").arg(std::max(state.memCardCount, 10));
        const int sw = std::min(r.width() / 2, QFontMetrics(score->font()).horizontalAdvance(widest));
        const int sh = labelHeight(score->font());
        score->setGeometry(r.right() - 3 - sw, r.top() + (r.height() - sh) / 2, sw, sh);
        MemLabel* name = lbl_PlayerName[p];
        name->setFont(qtFont(ui.NameFont));
        name->setForeColor(ui.NameForeColor);
        const int nh = labelHeight(name->font());
        const int nw = score->x() - (r.left() + 2);
        name->setText(memFitPlayerName(QStringLiteral(" ") + state.memPlayers[p].Name, QFontMetrics(name->font()), nw));
        name->setGeometry(r.left() + 2, r.top() + (r.height() - nh) / 2, nw, nh);
        name->show();
        score->show();
        name->raise();
        score->raise();
    }

    makeCards();
    describeForAssistiveTechnology();
    return true;
}

void frm_MemoryGame::makeCards()
{
    memInterface& ui = state.ui;
    const QFont font = qtFont(ui.CardFont);
    const int h = labelHeight(font);
    const int across = int(std::nearbyint(ui.CardsX)), down = int(std::nearbyint(ui.CardsY));
    if (state.intAppType == 0 && ui.CardBack.isNull() && !ui.Border)
        ui.CardBack = fallbackBack(QSize(ui.CardWidth, ui.CardHeight));
    int k = 0;
    for (int i = 1; i <= down; ++i) {
        for (int j = 1; j <= across && k < state.memCardCount; ++j) {
            auto* img = new MemImage(pic_Background);
            img->setObjectName(QStringLiteral("img_Card"));
            auto* label = new MemLabel(pic_Background);
            label->setObjectName(QStringLiteral("lbl_Card"));
            img_Card << img;
            lbl_Card << label;
            img->raise();
            label->raise();
            const QRect r = memCardRect(ui, i, j);
            img->setGeometry(r);
            const memCardHolder& holder = state.memCardHolders[state.memDisplayCards[k].Reference];
            img->setPicture(state.intAppType == 0 ? ui.CardBack : holder.Picture);
            img->setBorder(ui.Border);
            label->setFont(font);
            label->setForeColor(ui.CardForeColor);
            label->setText(holder.Text);
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(r.left(), r.top() + (r.height() - h) / 2, ui.CardWidth, h);
            label->hide();
            if (!holder.Text.isEmpty()) {
                // A light band keeps the text readable on any picture; a label drawn without a
                // background of its own would not show it.
                label->setAttribute(Qt::WA_TranslucentBackground, false);
                label->setAttribute(Qt::WA_NoSystemBackground, false);
                label->setStyleSheet(QStringLiteral("background: rgba(255,255,255,190); border-radius: 6px;"));
            }
            if (bolDebug) {
                label->show();
                img->setPicture(holder.Picture);
            }
            img->show();
            if (state.intAppType == 1)
                label->show();
            const int index = k;
            connect(img, &MemImage::clicked, this, [this, index] { game->img_Card_Click(index); });
            connect(img, &MemImage::doubleClicked, this, [] { ::doEvents(); });
            connect(label, &MemLabel::clicked, this, [this, index] { game->memCardClick(index); });
            ++k;
        }
    }
}

void frm_MemoryGame::makeTextLabels()
{
    memTextList& tl = state.ui.TextList;
    const QFont font = qtFont(tl.Font);
    const int h = labelHeight(font);
    for (int t = 0; t < state.memCardCount; ++t) {
        auto* label = new MemLabel(pic_Background);
        label->setObjectName(QStringLiteral("lbl_Text"));
        label->setFont(font);
        const int ref = t < tl.Display.size() ? tl.Display[t].Reference : t;
        label->setText(ref < tl.Texts.size() ? tl.Texts[ref].Text : QString());
        label->setGeometry(tl.Left, tl.Top + t * (h + tl.Space), tl.Width, h);
        label->setForeColor(tl.ForeColor);
        label->setEnabled(true);
        label->show();
        label->raise();
        const int index = t;
        connect(label, &MemLabel::clicked, this, [this, index] { game->memTextClick(index); });
        lbl_Text << label;
    }
}

// ---- MemView ----------------------------------------------------------------------------------

void frm_MemoryGame::showCardPicture(int index, const QImage& picture)
{
    img_Card[index]->setPicture(picture);
    announceNameChange(img_Card[index]);
}
void frm_MemoryGame::setCardLabelVisible(int index, bool visible) { lbl_Card[index]->setVisible(visible); }

void frm_MemoryGame::setCardEnabled(int index, bool enabled)
{
    if (index < 0 || index >= img_Card.size())
        return;
    img_Card[index]->setEnabled(enabled);
    lbl_Card[index]->setEnabled(enabled);
}

void frm_MemoryGame::setCardVisible(int index, bool visible)
{
    img_Card[index]->setVisible(visible);
    announceNameChange(img_Card[index]);
    if (!visible && index == m_focusCard && !m_onTexts)
        showFocusFrame();
}

// ---- Keyboard play ------------------------------------------------------------------------------

QVector<bool> frm_MemoryGame::cardsInPlay() const
{
    QVector<bool> in(img_Card.size(), false);
    for (int i = 0; i < img_Card.size() && i < state.memDisplayCards.size() && i < state.memCardCount; ++i)
        in[i] = !state.memDisplayCards[i].Removed && img_Card[i]->isVisibleTo(this);
    return in;
}

QVector<bool> frm_MemoryGame::textsInPlay() const
{
    const memTextList& tl = state.ui.TextList;
    QVector<bool> in(lbl_Text.size(), false);
    for (int i = 0; i < lbl_Text.size() && i < tl.Display.size(); ++i)
        in[i] = !tl.Display[i].Turned && lbl_Text[i]->isVisibleTo(this);
    return in;
}

bool frm_MemoryGame::keyboardPlay(int key)
{
    if (!game || !pic_Background)
        return false;
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    const bool turn = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    // The end picture takes the keys as it takes a click: a child who plays with keys only, or
    // an adult without a mouse under noquit, is not stuck at the end.
    if (turn && pic_End && pic_End->isVisible()) {
        pic_End_Click();
        return true;
    }
    if (key == Qt::Key_Tab) {
        if (!state.textGame() || lbl_Text.isEmpty())
            return false;
        m_onTexts = !m_onTexts;
    } else if (arrow) {
        const bool appearing = !m_focusFrame || !m_focusFrame->isVisible();
        if (m_onTexts) {
            const QVector<bool> in = textsInPlay();
            if (m_focusText < 0 || m_focusText >= in.size() || !in[m_focusText])
                m_focusText = memNextInList(-1, 1, in);
            else if (!appearing && (key == Qt::Key_Up || key == Qt::Key_Down))
                m_focusText = memNextInList(m_focusText, key == Qt::Key_Down ? 1 : -1, in);
        } else {
            const QVector<bool> in = cardsInPlay();
            QVector<QRect> places;
            for (MemImage* card : img_Card)
                places << card->geometry();
            const bool lost = m_focusCard < 0 || m_focusCard >= in.size() || !in[m_focusCard];
            if (m_focusPlace.isNull()) {
                m_focusCard = memFirstPlace(places, in);
            } else if (!appearing || lost) {
                // From where the frame was: its card may have left the board since.
                const int next = memNextPlace(m_focusPlace, Qt::Key(key), places, in);
                if (next >= 0)
                    m_focusCard = next;
                else if (lost)
                    m_focusCard = memFirstPlace(places, in);
            }
        }
    } else if (turn) {
        // Only once the frame is there: a child who has only used the mouse sees no surprise.
        if (!m_focusFrame || !m_focusFrame->isVisible())
            return false;
        if (m_onTexts && m_focusText >= 0)
            game->memTextClick(m_focusText);
        else if (!m_onTexts && m_focusCard >= 0)
            game->img_Card_Click(m_focusCard);
    } else {
        return false;
    }
    showFocusFrame();
    return true;
}

void frm_MemoryGame::showFocusFrame()
{
    if (!m_focusFrame)
        m_focusFrame = new FocusFrame(pic_Background);
    QRect place;
    if (m_onTexts) {
        const QVector<bool> in = textsInPlay();
        if (m_focusText < 0 || m_focusText >= in.size() || !in[m_focusText])
            m_focusText = memNextInList(-1, 1, in);
        if (m_focusText >= 0 && m_focusText < in.size() && in[m_focusText])
            place = lbl_Text[m_focusText]->geometry();
    } else {
        const QVector<bool> in = cardsInPlay();
        if (m_focusCard >= 0 && m_focusCard < in.size() && in[m_focusCard])
            place = img_Card[m_focusCard]->geometry();
    }
    QWidget* on = nullptr;
    if (!place.isNull())
        on = m_onTexts ? static_cast<QWidget*>(lbl_Text[m_focusText]) : static_cast<QWidget*>(img_Card[m_focusCard]);
    if (on != m_focusAnnounced) {
        announceFocus(on, m_focusAnnounced);
        m_focusAnnounced = on;
    }
    if (place.isNull()) {
        m_focusFrame->hide();
        return;
    }
    if (!m_onTexts)
        m_focusPlace = place;
    m_focusFrame->frame(place);
}
QRect frm_MemoryGame::cardGeometry(int index) const { return img_Card[index]->geometry(); }
void frm_MemoryGame::setCardGeometry(int index, const QRect& rect) { img_Card[index]->setGeometry(rect); }
QRect frm_MemoryGame::cardLabelGeometry(int index) const { return lbl_Card[index]->geometry(); }
void frm_MemoryGame::setCardLabelGeometry(int index, const QRect& rect) { lbl_Card[index]->setGeometry(rect); }

void frm_MemoryGame::drawLine(const QLine& line, uint32_t color, int width)
{
    pic_Background->drawLine(line, colorFromBgr(color), width);
}

void frm_MemoryGame::setPlayerColors(int player, uint32_t name, uint32_t score)
{
    if (player < 0 || player >= 4)
        return;
    lbl_PlayerName[player]->setForeColor(name);
    lbl_PlayerScore[player]->setForeColor(score);
}

void frm_MemoryGame::setPlayerScore(int player, const QString& caption)
{
    if (player >= 0 && player < 4)
        lbl_PlayerScore[player]->setText(caption);
    if (player >= 0 && player < 4)
        announceNameChange(lbl_PlayerScore[player]);
}

void frm_MemoryGame::strikePlayer(int player)
{
    if (player >= 0 && player < 4)
        img_Player[player]->setStruck(true);
    if (player >= 0 && player < 4 && !img_Player[player]->isVisible())
        img_Player[player]->show();
}

void frm_MemoryGame::setControlCaption(int label, const QString& caption)
{
    if (label < 0 || label >= lbl_Control.size())
        return;
    lbl_Control[label]->setText(gamPaddedCaption(caption, lbl_Control[label]->font().pointSizeF()));
    announceNameChange(lbl_Control[label]);
}

void frm_MemoryGame::setTextColor(int index, uint32_t color)
{
    if (index >= 0 && index < lbl_Text.size())
        lbl_Text[index]->setForeColor(color);
}

void frm_MemoryGame::setTextVisible(int index, bool visible)
{
    if (index >= 0 && index < lbl_Text.size())
        lbl_Text[index]->setVisible(visible);
}

void frm_MemoryGame::setTextEnabled(int index, bool enabled)
{
    if (index >= 0 && index < lbl_Text.size())
        lbl_Text[index]->setEnabled(enabled);
}

void frm_MemoryGame::setClockEnabled(bool enabled)
{
    if (enabled)
        tim_Timer.start();
    else
        tim_Timer.stop();
}

void frm_MemoryGame::showEnd(const QImage& picture)
{
    const QImage shown = picture.isNull() ? fallbackEnd(game->endWasGood()) : picture;
    pic_End->setPicture(shown);
    pic_End->resize(shown.size());
    pic_End->move((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    pic_End->show();
    pic_End->raise();
}

QSize frm_MemoryGame::boardSize() const { return pic_Background->size(); }
void frm_MemoryGame::doEvents() { ::doEvents(); }
void frm_MemoryGame::pause(int ms) { platformSleep(ms); }
