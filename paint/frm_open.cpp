// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_open.h"

#include "common/fileio.h"
#include "common/gfx.h"
#include "common/sounddevice.h"
#include "paint/helplaunchers.h"
#include "paint/keyboardfocus.h"
#include "paint/frm_splash.h"
#include "paint/setinterface.h"
#include "platform/imagecontrol.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/events.h"

#include <QApplication>
#include <QKeyEvent>

const OpenLayout frm_Open::layout = {
    6015, 5175, false, 0, 0, 0,
    {240, 240, 4935, 735}, {240, 1200, 4935, 2535},
    360, 360, 360, 1320, 600, 495,
    {{{5280, 1200, 495, 495}, {5280, 3240, 495, 495}, {240, 4080, 1695, 855}, {4080, 4080, 1695, 855}}},
    {5520, 0, 240, 210}, {5760, 0, 240, 210}};

const OpenLayout frm_OpenLarge::layout = {
    10515, 8100, true, 9615, 7215, 0xC0C0C0,
    {120, 240, 8775, 1215}, {120, 1560, 8775, 4455},
    240, 360, 240, 1680, 1080, 975,
    {{{8880, 1680, 495, 495}, {8880, 5400, 495, 495}, {240, 6120, 1695, 855}, {7680, 6120, 1695, 855}}},
    {9120, 0, 240, 210}, {9360, 0, 240, 210}};

frm_Open::frm_Open(SoundDevice* sound, QWidget* parent) : OpenForm(layout, sound, parent)
{
    setObjectName(QStringLiteral("frm_Open"));
}

frm_OpenLarge::frm_OpenLarge(SoundDevice* sound, QWidget* parent) : OpenForm(layout, sound, parent)
{
    setObjectName(QStringLiteral("frm_OpenLarge"));
    outlineForDebug(img_Dirs);
    outlineForDebug(img_Files);
}

void pntPlayDialogSound(SoundDevice* sound, const QString& file)
{
    if (!sound || file.isEmpty() || !fioFileExists(PaintSettings.snd.expanded + file))
        return;
    sound->setCommand(QStringLiteral("stop"));
    sound->setCommand(QStringLiteral("close"));
    sound->setFileName(PaintSettings.snd.expanded + file);
    sound->setCommand(QStringLiteral("open"));
    sound->setCommand(QStringLiteral("play"));
    bolButtonSound = false;
}

OpenForm::OpenForm(const OpenLayout& layout, SoundDevice* sound, QWidget* parent)
    : QWidget(parent, Qt::Dialog), states(PaintSettings.open.buttons.data(), 4, [this](int i, const QImage& p) {
          img_Button[size_t(i)]->setPicture(p);
      }),
      m_layout(layout), m_sound(sound)
{
    setWindowTitle(QStringLiteral("Open"));
    dialog.thumbnailSize = QSize(twipsToPixels(layout.cell), twipsToPixels(layout.cell));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFixedSize(twipsToPixels(layout.innerWidth), twipsToPixels(layout.innerHeight));
    // Leaving the window in any way but the open button chooses nothing.
    bolPictureChosen = false;

    if (layout.panel) {
        setAutoFillBackground(true);
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        pic_Background = new QWidget(this);
        pic_Background->setObjectName(QStringLiteral("pic_Background"));
        pic_Background->setAutoFillBackground(true);
        QPalette grey = pic_Background->palette();
        grey.setColor(QPalette::Window, colorFromBgr(layout.panelColor));
        pic_Background->setPalette(grey);
        pic_Background->resize(twipsToPixels(layout.panelWidth), twipsToPixels(layout.panelHeight));
        pic_Background->setMouseTracking(true);
        pic_Background->installEventFilter(this);
    } else {
        pic_Background = this;
    }
    QWidget* panel = pic_Background;

    img_Background = dialogImage(panel, QStringLiteral("img_Background"), {0, 0, 0, 0});
    img_Background->installEventFilter(this);
    img_Dirs = dialogImage(panel, QStringLiteral("img_Dirs"), layout.dirs);
    img_Files = dialogImage(panel, QStringLiteral("img_Files"), layout.files);
    img_Dirs->installEventFilter(this);
    img_Files->installEventFilter(this);
    for (int k = 0; k < kCatalogSlots; ++k) {
        auto* c = dialogImage(panel, QStringLiteral("img_Catalog%1").arg(k),
                              {layout.catalogLeft + layout.pitch * k, layout.catalogTop, layout.cell, layout.cell});
        connect(c, &ImageControl::Click, this, [this, k] { img_Catalog_Click(k); });
        c->installEventFilter(this);
        img_Catalog[size_t(k)] = c;
    }
    for (int n = 0; n < kGridCells; ++n) {
        auto* c = dialogImage(panel, QStringLiteral("img_Picture%1").arg(n),
                              {layout.picturesLeft + layout.pitch * (n % kGridColumns),
                               layout.picturesTop + layout.pitch * (n / kGridColumns), layout.cell, layout.cell});
        connect(c, &ImageControl::Click, this, [this, n] { img_picture_Click(n); });
        c->installEventFilter(this);
        img_Picture[size_t(n)] = c;
    }
    dialog.thumbnailSize = img_Picture[0]->size();
    for (int i = 0; i < 4; ++i) {
        auto* b = dialogImage(panel, QStringLiteral("img_Button%1").arg(i), layout.buttons[size_t(i)]);
        connect(b, &ImageControl::MouseMove, this, [this, i] { states.MouseMove(i); });
        connect(b, &ImageControl::MouseDown, this, [this, i](int button) {
            if (button == 1)
                states.MouseDown(i);
        });
        connect(b, &ImageControl::MouseUp, this, [this, i](int button) {
            if (button == 1)
                states.MouseUp(i);
        });
        connect(b, &ImageControl::Click, this, [this, i] { img_Button_Click(i); });
        img_Button[size_t(i)] = b;
    }
    shp_Catalog = new FrameControl(panel);
    shp_Catalog->setObjectName(QStringLiteral("shp_Catalog"));
    shp_File = new FrameControl(panel);
    shp_File->setObjectName(QStringLiteral("shp_File"));
    img_HelpSmall = dialogImage(panel, QStringLiteral("img_HelpSmall"), layout.helpSmall);
    img_ExitSmall = dialogImage(panel, QStringLiteral("img_ExitSmall"), layout.exitSmall);
    connect(img_HelpSmall, &ImageControl::Click, this, &OpenForm::img_HelpSmall_Click);
    connect(img_ExitSmall, &ImageControl::Click, this, &OpenForm::img_ExitSmall_Click);

    makeKeyboard();
    describeForAssistiveTechnology();
    Form_Load();
}

void OpenForm::Form_Load()
{
    dialog.intPictureCount = 0;
    dialog.intFirstPicture = 0;
    dialog.intSelectedPicture = -1;
    placePanel();
    opnFixOpenInterface();
    opnShowOpenCatalogs();
    pntPlayDialogSound(m_sound, PaintSettings.open.sound);
}

void OpenForm::placePanel()
{
    if (m_layout.panel)
        pic_Background->move((width() - pic_Background->width()) / 2, (height() - pic_Background->height()) / 2);
    img_Background->setGeometry(0, 0, pic_Background->width(), pic_Background->height());
}

void OpenForm::showEvent(QShowEvent* event)
{
    placePanel();
    setFocus();
    QWidget::showEvent(event);
}

void OpenForm::opnFixOpenInterface()
{
    const OpenSettings& s = PaintSettings.open;
    centreOnScreen(this);
    const QString background = PaintSettings.gfx.expanded + s.background;
    if (!s.background.isEmpty()) {
        QString error;
        const QImage picture = loadPicture(background, &error, pic_Background->size());
        if (picture.isNull())
            msgBox(QStringLiteral("Could not load the open dialog's background picture: ") + error);
        img_Background->setPicture(picture);
    }
    placePanel();
    img_Dirs->setToolTip(s.catalogsTooltip);
    img_Files->setToolTip(s.filesTooltip);
    for (int i = 0; i < 4; ++i) {
        img_Button[size_t(i)]->setToolTip(s.buttons[size_t(i)].tooltip);
        if (i == OpenSettings::Up || i == OpenSettings::Down) {
            states.setInactive(i);
            img_Button[size_t(i)]->setEnabled(false);
        } else {
            states.setNormal(i);
        }
    }
    dressSmallButton(img_HelpSmall, PaintSettings.interface.smallhelp);
    dressSmallButton(img_ExitSmall, PaintSettings.interface.smallquit);
}

void OpenForm::opnShowOpenCatalogs()
{
    for (int k = 0; k < kCatalogSlots; ++k) {
        ImageControl* c = img_Catalog[size_t(k)];
        if (k < dialog.catalogs.size()) {
            c->setPicture(loadPicture(dialog.catalogs[k].icon, nullptr, c->size()));
            c->setToolTip(PaintSettings.open.catalogsTooltip);
            c->setEnabled(true);
        } else {
            c->setPicture(QImage());
            c->setEnabled(false);
        }
    }
}

void OpenForm::opnShowOpenFiles()
{
    for (int n = 0; n < kGridCells; ++n) {
        const PictureEntry* e = dialog.cellEntry(n);
        img_Picture[size_t(n)]->setPicture(e ? e->thumbnail : QImage());
        img_Picture[size_t(n)]->setToolTip(e ? e->name : QString());
    }
    auto arrow = [this](int i, bool on) {
        if (on)
            states.setNormal(i);
        else
            states.setInactive(i);
        img_Button[size_t(i)]->setEnabled(on);
    };
    arrow(OpenSettings::Down, dialog.downEnabled());
    arrow(OpenSettings::Up, dialog.upEnabled());
    // The frame follows the selected picture and hides while it is scrolled out of sight.
    const int cell = dialog.selectedCell();
    if (cell >= 0)
        shp_File->frame(img_Picture[size_t(cell)]);
    else
        shp_File->hide();
    m_keys->refresh();
}

void OpenForm::opnClearFiles()
{
    dialog.opnClearFiles();
    shp_File->hide();
    for (ImageControl* c : img_Picture)
        c->setPicture(QImage());
    m_keys->refresh();
}

void OpenForm::opnUnableOpenDialog()
{
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void OpenForm::opnEnableOpenDialog()
{
    setEnabled(true);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    setFocus();
}

void OpenForm::img_Catalog_Click(int k)
{
    opnUnableOpenDialog();
    if (k < dialog.catalogs.size()) {
        shp_Catalog->frame(img_Catalog[size_t(k)]);
        opnClearFiles();
        QString problems;
        dialog.chooseCatalog(k, &problems);
        opnShowOpenFiles();
        if (!problems.isEmpty()) {
            opnEnableOpenDialog();
            msgBox(QStringLiteral("Some pictures of this catalog cannot be shown: ") + problems);
        }
    }
    opnEnableOpenDialog();
}

void OpenForm::img_picture_Click(int n)
{
    opnUnableOpenDialog();
    doEvents();
    if (dialog.opnPictureClick(n))
        shp_File->frame(img_Picture[size_t(n)]);
    opnEnableOpenDialog();
}

void OpenForm::opnOpenFile()
{
    if (dialog.intSelectedPicture < 0) {
        QApplication::beep();
        return;
    }
    if (m_sound)
        PlayButton(*m_sound);
    dialog.opnOpenFile();
    leave();
}

void OpenForm::leave()
{
    m_left = true;
    opnEnableOpenDialog();
    close();
}

void OpenForm::img_Button_Click(int index)
{
    opnUnableOpenDialog();
    switch (index) {
    case OpenSettings::Up:
        if (dialog.scrollUp()) {
            if (m_sound)
                PlayButton(*m_sound);
            opnShowOpenFiles();
        }
        break;
    case OpenSettings::Down:
        if (dialog.scrollDown()) {
            if (m_sound)
                PlayButton(*m_sound);
            opnShowOpenFiles();
        }
        break;
    case OpenSettings::Open: opnOpenFile(); break;
    case OpenSettings::Cancel:
        if (m_sound)
            PlayButton(*m_sound);
        dialog.cancel();
        leave();
        return;
    default: break;
    }
    if (!m_left)
        opnEnableOpenDialog();
}

void OpenForm::img_ExitSmall_Click()
{
    dialog.cancel();
    leave();
}

void OpenForm::img_HelpSmall_Click()
{
    ShowOpenHelp(this);
}

void OpenForm::Form_KeyDown(int keyCode)
{
    if (keyCode == Qt::Key_Escape) {
        dialog.cancel();
        leave();
    }
}

void OpenForm::Form_KeyUp(int keyCode)
{
    if (keyCode == Qt::Key_F1)
        img_HelpSmall_Click();
}

bool OpenForm::event(QEvent* e)
{
    return (m_keys && m_keys->tabEvent(e)) || QWidget::event(e);
}

void OpenForm::keyPressEvent(QKeyEvent* e)
{
    if (!m_keys->keyPress(*e))
        Form_KeyDown(e->key());
}

void OpenForm::keyReleaseEvent(QKeyEvent* e)
{
    if (!m_keys->keyRelease(*e) && !e->isAutoRepeat())
        Form_KeyUp(e->key());
}

void OpenForm::mouseMoveEvent(QMouseEvent* e)
{
    opnDeHighlight(-1);
    QWidget::mouseMoveEvent(e);
}

bool OpenForm::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseMove && watched != this)
        opnDeHighlight(-1);
    return QWidget::eventFilter(watched, e);
}
