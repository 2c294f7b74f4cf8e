// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_splash.h"

#include "common/game32.h"
#include "common/gfx.h"

#include <QApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

bool bolSplashShown = true;

namespace {
QPointer<frm_Splash> g_splash;
}

frm_Splash* splashWindow(frm_Splash::Kind kind)
{
    if (!g_splash)
        g_splash = new frm_Splash(kind);
    return g_splash;
}

void destroySplashWindow() { delete g_splash.data(); }

frm_Splash::frm_Splash(Kind kind) : QWidget(nullptr), m_kind(kind)
{
    setObjectName(QStringLiteral("frm_Splash"));
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("Welcome"));
    setFixedSize(twipsToPixels(6495), twipsToPixels(3405));
    setAutoFillBackground(true);
    if (kind == Kind::Paint) {
        img_Picture = new QLabel(this);
        img_Picture->setObjectName(QStringLiteral("img_Picture"));
        img_Picture->setAccessibleName(QStringLiteral("Welcome picture"));
        img_Picture->setGeometry(twipsToPixels(2040), twipsToPixels(960), twipsToPixels(2175), twipsToPixels(1215));
        lbl_Text = new QLabel(this);
        lbl_Text->setObjectName(QStringLiteral("lbl_Text"));
        QFont font(QStringLiteral("Arial"), 36);
        font.setWeight(QFont::Bold);
        lbl_Text->setFont(font);
        lbl_Text->move(twipsToPixels(720), twipsToPixels(840));
        lbl_Text->adjustSize();
    }
}

void frm_Splash::setText(const QString& text)
{
    if (!lbl_Text)
        return;
    lbl_Text->setText(text);
    lbl_Text->adjustSize(); // the caption grows with its text, as an auto-sized label does
}

void frm_Splash::setBackColor(uint32_t bgr)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colorFromBgr(bgr));
    setPalette(pal);
}

void frm_Splash::setPicture(const QImage& picture)
{
    if (!img_Picture)
        return;
    img_Picture->setPixmap(QPixmap::fromImage(picture));
    img_Picture->resize(picture.size());
}

void frm_Splash::setMaximized() { m_maximized = true; }

void frm_Splash::showAndWait()
{
    // A second active key: the window became active when it was first shown, and showing it
    // again brings no new activation to wait for.
    if (isVisible()) {
        bolSplashShown = true;
        return;
    }
    bolSplashShown = false;
    if (m_maximized) {
        showMaximized();
    } else {
        // Centred, so the program's window, centred too and larger, covers it once it is shown.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
        show();
    }
    // Woken by the activation itself: sleeping between looks cost start-up up to a whole sleep.
    // A window that is never activated (no window manager, no display) must not hang start-up.
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(5000);
    while (!bolSplashShown && !bolEndRequested && limit.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    bolSplashShown = true;
}

void frm_Splash::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Without a window manager no activation arrives; being shown counts as becoming active.
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

bool frm_Splash::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(e);
}

void frm_Splash::Form_Activate()
{
    bolSplashShown = true;
    centrePicture();
}

void frm_Splash::centrePicture()
{
    if (!img_Picture || img_Picture->pixmap().isNull())
        return;
    const QSize pic = img_Picture->pixmap().size();
    img_Picture->move((width() - pic.width()) / 2, (height() - pic.height()) / 2);
}

void frm_Splash::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        // During start-up the reader sees the flag and ends the program; later the splash lies
        // under the program's window and Escape on it still ends the program.
        bolEndRequested = true;
        hide();
        if (bolSplashShown)
            QCoreApplication::exit(0);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != this && w->isVisible())
                w->close();
        return;
    }
    QWidget::keyPressEvent(e);
}
