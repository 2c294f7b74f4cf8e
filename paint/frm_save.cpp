// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_save.h"

#include "common/gfx.h"
#include "paint/helplaunchers.h"
#include "paint/keyboardfocus.h"
#include "paint/frm_open.h"
#include "paint/setinterface.h"
#include "platform/imagecontrol.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <QKeyEvent>

const SaveLayout frm_Save::layout = {
    5430, 3150, false, 0, 0, 0,
    {0, 0, 0, 0},
    360, 360, 600, 495,
    {1560, 1200, 495, 495}, {3480, 1200, 495, 495},
    {{{240, 2040, 1695, 855}, {3480, 2040, 1695, 855}}},
    {4950, 0, 240, 210}, {5160, 0, 240, 210}};

const SaveLayout frm_SaveLarge::layout = {
    9600, 7200, true, 9615, 7215, 0x808080,
    {360, 360, 8775, 1215},
    480, 480, 1080, 975,
    {2280, 2160, 975, 975}, {6120, 2160, 975, 975},
    {{{360, 6000, 1695, 855}, {7560, 6000, 1695, 855}}},
    {9150, 0, 240, 210}, {9360, 0, 240, 210}};

frm_Save::frm_Save(SoundDevice* sound, QWidget* parent) : SaveForm(layout, sound, parent)
{
    setObjectName(QStringLiteral("frm_Save"));
}

frm_SaveLarge::frm_SaveLarge(SoundDevice* sound, QWidget* parent) : SaveForm(layout, sound, parent)
{
    setObjectName(QStringLiteral("frm_SaveLarge"));
    outlineForDebug(img_Dirs);
    outlineForDebug(img_SaveCatalog);
}

SaveForm::SaveForm(const SaveLayout& layout, SoundDevice* sound, QWidget* parent)
    : QWidget(parent, Qt::Dialog), states(PaintSettings.save.buttons.data(), 2, [this](int i, const QImage& p) {
          img_Button[size_t(i)]->setPicture(p);
      }),
      m_layout(layout), m_sound(sound)
{
    setWindowTitle(QStringLiteral("Save"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFixedSize(twipsToPixels(layout.innerWidth), twipsToPixels(layout.innerHeight));
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
    // Over the large window's panel the mouse leaves a highlight alone; only the margin and the
    // other button take it away.
    img_Background->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (layout.panel) {
        img_Dirs = dialogImage(panel, QStringLiteral("img_Dirs"), layout.dirs);
        img_Dirs->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (int k = 0; k < kCatalogSlots; ++k) {
        auto* c = dialogImage(panel, QStringLiteral("img_Catalog%1").arg(k),
                              {layout.catalogLeft + layout.pitch * k, layout.catalogTop, layout.cell, layout.cell});
        connect(c, &ImageControl::Click, this, [this, k] { img_Catalog_Click(k); });
        img_Catalog[size_t(k)] = c;
    }
    shp_Catalog = new FrameControl(panel);
    shp_Catalog->setObjectName(QStringLiteral("shp_Catalog"));
    img_SaveCatalog = dialogImage(panel, QStringLiteral("img_SaveCatalog"), layout.saveCatalog);
    pic_SavePicture = new PictureBox(panel);
    pic_SavePicture->setObjectName(QStringLiteral("pic_SavePicture"));
    pic_SavePicture->setBounds(twipsToPixels(layout.savePicture.left), twipsToPixels(layout.savePicture.top),
                               twipsToPixels(layout.savePicture.width), twipsToPixels(layout.savePicture.height));
    pic_SavePicture->setBackColor(0xFFFFFF);
    for (int i = 0; i < 2; ++i) {
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
    img_HelpSmall = dialogImage(panel, QStringLiteral("img_HelpSmall"), layout.helpSmall);
    img_ExitSmall = dialogImage(panel, QStringLiteral("img_ExitSmall"), layout.exitSmall);
    connect(img_HelpSmall, &ImageControl::Click, this, &SaveForm::img_HelpSmall_Click);
    connect(img_ExitSmall, &ImageControl::Click, this, &SaveForm::img_ExitSmall_Click);

    makeKeyboard();
    describeForAssistiveTechnology();
    Form_Load();
}

void SaveForm::Form_Load()
{
    const SaveSettings& s = PaintSettings.save;
    dialog.chosenSlot = -1;
    centreOnScreen(this);
    placePanel();
    if (!s.background.isEmpty()) {
        QString error;
        const QImage picture = loadPicture(PaintSettings.gfx.expanded + s.background, &error, pic_Background->size());
        if (picture.isNull())
            msgBox(QStringLiteral("Could not load the save dialog's background picture: ") + error);
        img_Background->setPicture(picture);
    }
    img_SaveCatalog->setToolTip(s.saveCatalogTooltip);
    for (int i = 0; i < 2; ++i) {
        img_Button[size_t(i)]->setToolTip(s.buttons[size_t(i)].tooltip);
        states.setNormal(i);
    }
    if (s.helpActive)
        dressSmallButton(img_HelpSmall, PaintSettings.interface.smallhelp);
    dressSmallButton(img_ExitSmall, PaintSettings.interface.smallquit);
    ShowSaveCatalogs();
    pntPlayDialogSound(m_sound, s.sound);
}

void SaveForm::placePanel()
{
    if (m_layout.panel)
        pic_Background->move((width() - pic_Background->width()) / 2, (height() - pic_Background->height()) / 2);
    img_Background->setGeometry(0, 0, pic_Background->width(), pic_Background->height());
    img_Background->lower();
}

void SaveForm::showEvent(QShowEvent* event)
{
    placePanel();
    saved = false;
    savedNumber = -1;
    setFocus();
    QWidget::showEvent(event);
}

void SaveForm::ShowSaveCatalogs()
{
    for (int k = 0; k < kCatalogSlots; ++k) {
        ImageControl* c = img_Catalog[size_t(k)];
        if (k < dialog.catalogs.size()) {
            c->setPicture(loadPicture(dialog.catalogs[k].icon, nullptr, c->size()));
            c->setToolTip(PaintSettings.save.catalogsTooltip);
            c->setEnabled(true);
        } else {
            c->setPicture(QImage());
            c->setEnabled(false);
        }
    }
}

void SaveForm::img_Catalog_Click(int k)
{
    if (!dialog.chooseCatalog(k))
        return;
    shp_Catalog->frame(img_Catalog[size_t(k)]);
    img_SaveCatalog->setPicture(img_Catalog[size_t(k)]->picture());
}

void SaveForm::img_Button_Click(int index)
{
    if (index == SaveSettings::Cancel) {
        if (m_sound)
            PlayButton(*m_sound);
        hide();
        return;
    }
    if (dialog.chosenSlot < 0) {
        QApplication::beep();
        return;
    }
    if (m_sound)
        PlayButton(*m_sound);
    const QImage painting = canvas ? canvas->image() : QImage();
    QString error;
    int n = -1;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SaveDialog::Result result = dialog.save(painting, pic_SavePicture->image(), &n, &error);
    QApplication::restoreOverrideCursor();
    if (result != SaveDialog::Result::Saved) {
        // The painting stays on the canvas and the dialog open, so the child can try elsewhere.
        msgBox(QStringLiteral("The painting could not be saved: ") + error + QLatin1Char('.'), MsgButtons::Ok,
               MsgIcon::Exclamation);
        return;
    }
    saved = true;
    savedNumber = n;
    hide();
}

void SaveForm::img_HelpSmall_Click()
{
    ShowSaveHelp(this);
}

void SaveForm::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        hide();
}

void SaveForm::Form_KeyUp(int keyCode)
{
    if (keyCode == Qt::Key_F1)
        img_HelpSmall_Click();
}

bool SaveForm::event(QEvent* e)
{
    return (m_keys && m_keys->tabEvent(e)) || QWidget::event(e);
}

void SaveForm::keyPressEvent(QKeyEvent* e)
{
    if (m_keys->keyPress(*e))
        return;
    if (e->key() == Qt::Key_Escape)
        Form_KeyPress(27);
}

void SaveForm::keyReleaseEvent(QKeyEvent* e)
{
    if (!m_keys->keyRelease(*e) && !e->isAutoRepeat())
        Form_KeyUp(e->key());
}

void SaveForm::mouseMoveEvent(QMouseEvent* e)
{
    DeHighlight(-1);
    QWidget::mouseMoveEvent(e);
}

bool SaveForm::eventFilter(QObject* watched, QEvent* e)
{
    // The panel keeps its mouse moves from the window, which would take the highlight away.
    if (watched == pic_Background && e->type() == QEvent::MouseMove)
        return true;
    return QWidget::eventFilter(watched, e);
}
