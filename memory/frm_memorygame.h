// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memconfig.h"
#include "memory/memgame.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <memory>

class MemCanvas;
class FocusFrame;
class MemImage;
class MemLabel;
class SoundDevice;

// The game window: builds the board from the configuration and maps the rules onto its
// controls. The rules themselves live in MemoryGame.
class frm_MemoryGame : public QDialog, public MemView {
    Q_OBJECT
public:
    explicit frm_MemoryGame(QWidget* parent = nullptr);
    ~frm_MemoryGame() override;

    // The set-up chain; false (and bolStartFailed) when a step failed.
    bool Form_Load();
    IniFiles* files = nullptr; // what start-up has read already
    void Form_Activate();
    bool memMakeInterface();
    void memDoEnd();
    void img_Quit_Click();
    void pic_End_Click();

    // Screen size used for the layout; tests set one, otherwise the primary screen's.
    static void setScreenSizeForTests(QSize size);
    static QSize screenSize();

    MemState state;
    std::unique_ptr<MemoryGame> game;

    MemCanvas* pic_Background = nullptr;
    QVector<MemImage*> img_Card;
    QVector<MemLabel*> lbl_Card;
    QVector<MemImage*> img_Control;
    QVector<MemLabel*> lbl_Control;
    QVector<MemImage*> img_Player;
    QVector<MemLabel*> lbl_PlayerName;
    QVector<MemLabel*> lbl_PlayerScore;
    QVector<MemLabel*> lbl_Text;
    MemImage* img_Quit = nullptr;
    MemImage* pic_End = nullptr;
    QTimer tim_Timer;
    QTimer tim_Wipe;
    SoundDevice* mmc_Sound = nullptr;

    // MemView
    void showCardPicture(int index, const QImage& picture) override;
    void setCardLabelVisible(int index, bool visible) override;
    void setCardEnabled(int index, bool enabled) override;
    void setCardVisible(int index, bool visible) override;
    QRect cardGeometry(int index) const override;
    void setCardGeometry(int index, const QRect& rect) override;
    QRect cardLabelGeometry(int index) const override;
    void setCardLabelGeometry(int index, const QRect& rect) override;
    void drawLine(const QLine& line, uint32_t color, int width) override;
    void setPlayerColors(int player, uint32_t name, uint32_t score) override;
    void setPlayerScore(int player, const QString& caption) override;
    void strikePlayer(int player) override;
    void setControlCaption(int label, const QString& caption) override;
    void setTextColor(int index, uint32_t color) override;
    void setTextVisible(int index, bool visible) override;
    void setTextEnabled(int index, bool enabled) override;
    void setClockEnabled(bool enabled) override;
    void showEnd(const QImage& picture) override;
    QSize boardSize() const override;
    void doEvents() override;
    void pause(int ms) override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Arrow keys, Space, Enter and Tab; true when the key was one of them. Space and Enter on
    // the end picture end the program, as a click on it does.
    bool keyboardPlay(int key);
    QVector<bool> cardsInPlay() const;
    QVector<bool> textsInPlay() const;
    void showFocusFrame();
    FocusFrame* m_focusFrame = nullptr;
    QPointer<QWidget> m_focusAnnounced; // what a screen reader was last told the frame is on
    int m_focusCard = -1, m_focusText = -1;
    bool m_onTexts = false;
    QRect m_focusPlace; // where the frame was last, for an arrow after its card has gone
    void Form_KeyPress(int keyAscii);
    void Form_KeyUp(int keyCode, int shift);
    void makeCards();
    void makeTextLabels();
    MemLabel* newLabel(const QString& name, const QString& caption);
    bool m_activated = false;
    // What a screen reader hears (frm_memorygame_access.cpp).
    void describeForAssistiveTechnology();
    QString cardAccessName(int index) const;
    QString counterAccessName(int label) const;
    std::unique_ptr<MemSoundPort> m_port;
    // Where the window's inside lies: the screen, or under a window manager its work area less
    // the frame.
    QRect insideForGame(QSize screen);
    QRect m_inside;
};
