// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_help.h"

#include "common/fileio.h"
#include "common/gfx.h"
#include "platform/picture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

frm_Help::frm_Help(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Help"));
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("Help"));
    setModal(true);
    setFixedSize(twipsToPixels(10830), twipsToPixels(7290));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black); // the window-frame colour of the system
    setPalette(pal);
    setAutoFillBackground(true);
    pic_Help = new QLabel(this);
    pic_Help->setObjectName(QStringLiteral("pic_Help"));
    pic_Help->setAccessibleName(QStringLiteral("Help picture"));
    pic_Help->setGeometry(twipsToPixels(480), 0, twipsToPixels(9600), twipsToPixels(7200));
    pic_Help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pic_Help->setAutoFillBackground(true);
    pic_Help->installEventFilter(this);
    centrePicture();
}

void frm_Help::setHelpPicture(const QImage& picture) { pic_Help->setPixmap(QPixmap::fromImage(picture)); }

void frm_Help::centrePicture()
{
    pic_Help->move((width() - pic_Help->width()) / 2, (height() - pic_Help->height()) / 2);
}

void frm_Help::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    centrePicture();
}

void frm_Help::mousePressEvent(QMouseEvent*) { accept(); }

void frm_Help::keyPressEvent(QKeyEvent* e)
{
    if (!e->text().isEmpty() || e->key() == Qt::Key_Escape)
        accept();
}

bool frm_Help::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == pic_Help && e->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void showHelpScreen(bool active, const QString& folder, const QString& file, QWidget* parent)
{
    if (!active)
        return;
    frm_Help help(parent);
    const QString path = folder + file;
    if (!file.isEmpty() && fioFileExists(path))
        help.setHelpPicture(loadPicture(path));
    QWidget* owner = parent ? parent->window() : nullptr;
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (owner && owner->isFullScreen() && screen) {
        // Over a full-screen window it covers the screen as that window does: grown with it by
        // the full-screen factor, the designed size would be larger than the screen.
        const QRect area = screen->geometry();
        help.setFixedSize(area.size());
        help.setGeometry(area);
        help.setWindowState(Qt::WindowFullScreen);
    } else {
        // Over the middle of the window it helps with, so that nothing of that window shows
        // around it and looks clickable; window managers and their guesses of frame sizes place
        // it off. Never larger than the screen, nor past its edge.
        QRect place(owner ? owner->geometry().center() - QPoint(help.width() / 2, help.height() / 2) : QPoint(), help.size());
        if (screen) {
            const QRect area = screen->availableGeometry();
            help.setFixedSize(help.size().boundedTo(area.size()));
            place.setSize(help.size());
            place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - place.width()));
            place.moveTop(std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height()));
        }
        if (owner)
            help.setGeometry(place);
    }
    help.exec();
}
