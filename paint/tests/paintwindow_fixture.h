// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/game32.h"
#include "common/sounddevice.h"
#include "paint/ending.h"
#include "paint/frm_paint.h"
#include "paint/openini.h"
#include "paint/paintsettings.h"
#include "paint/setinterface.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"
#include "testsupport/soundrecorder.h"
#include "testsupport/testsupport.h"

#include <QApplication>
#include <memory>

// A dressed paint window on a theme of plain coloured pictures, with its sounds recorded and
// the end of the program recorded instead of done.
struct PaintWindowTest {
    TestFolders folders;
    MessageRecorder boxes;
    SoundRecorder sounds;
    int ends = 0;
    std::unique_ptr<frm_Paint> form;

    // Every button's picture kinds get their own colour so a test can tell which is shown.
    static QColor faceColor(int button, int kind) { return QColor(10 + button * 20, 40 + kind * 40, 200); }

    PaintWindowTest()
    {
        resetPaintSettings();
        bolButtonSound = false;
        intTool = 0;
        bolEndRequested = false;
        setEndProgramHandler([this] { ++ends; });
        folders.mkdir("app/gfx");
        folders.mkdir("app/snd");
        auto& s = PaintSettings;
        s.gfx.expanded = folders.app() + "/gfx/";
        s.snd.expanded = folders.app() + "/snd/";
        writePicture("back.bmp", 641, 481, Qt::yellow);
        s.interface.background = "back.bmp";
        for (const char* wav : {"start.wav", "click.wav", "good.wav", "name.wav"})
            folders.write(QStringLiteral("app/snd/") + wav, wavBytes(30));
        s.interface.startsound = "start.wav";
        s.interface.buttonsound = "click.wav";
        s.interface.goodsound = "good.wav";
        const char* kinds[] = {"n", "h", "d", "i", "c", "m"};
        for (int i = 0; i < kPaintButtons; ++i) {
            PaintButton& b = s.buttons[size_t(i)];
            b.active = b.activemade = true;
            PictureSlot* kindSlots[] = {&b.normal, &b.highlight, &b.down, &b.inactive, &b.current, &b.curmini};
            for (int k = 0; k < 6; ++k) {
                if (k >= 4 && i > 2)
                    continue; // only the drawing tools have a current look
                const QString name = QStringLiteral("b%1%2.bmp").arg(i).arg(QLatin1String(kinds[k]));
                QImage img(8, 8, QImage::Format_RGB32);
                img.fill(faceColor(i, k));
                img.save(folders.path("app/gfx/" + name));
                kindSlots[k]->file = name;
            }
            b.tooltip = QStringLiteral("Tip %1").arg(i);
        }
        writePicture("quitsmall.bmp", 16, 14, Qt::red);
        writePicture("helpsmall.bmp", 16, 14, Qt::blue);
        s.interface.smallquit = "quitsmall.bmp";
        s.interface.smallhelp = "helpsmall.bmp";
        s.current.active = true;
        s.current.startcolor = 0x0000FF;
        s.current.shape = 4;
        s.palette.active = true;
        QImage palette(609, 33, QImage::Format_RGB32);
        palette.fill(Qt::white);
        for (int x = 0; x < 609; ++x)
            for (int y = 0; y < 33; ++y)
                palette.setPixel(x, y, x < 200 ? qRgb(0, 200, 0) : x < 400 ? qRgb(0x20, 0x20, 0xE0) : qRgb(0x33, 0x66, 0x99));
        palette.save(folders.path("app/gfx/palette.bmp"));
        s.palette.normal.file = "palette.bmp";
        s.function.lockcolor = 0;
    }

    ~PaintWindowTest()
    {
        form.reset();
        setEndProgramHandler({});
        bolEndRequested = false;
        intTool = 0;
        resetPaintSettings();
    }

    void writePicture(const QString& name, int w, int h, Qt::GlobalColor c) const
    {
        folders.write("app/gfx/" + name, pictureBytes("BMP", w, h, c));
    }

    frm_Paint& open()
    {
        form = std::make_unique<frm_Paint>();
        SetInterface(*form);
        return *form;
    }

    PictureBox& canvas() const { return *form->pic_Paint; }
    QRgb shown(int button) const { return form->img_Button[size_t(button)]->picture().pixel(0, 0); }
    QRgb face(int button, int kind) const { return faceColor(button, kind).rgb(); }
    void press(int i) { form->img_Button_MouseDown(i, 1, 0, 5, 5); }
    void release(int i) { form->img_Button_MouseUp(i, 1, 0, 5, 5); }
    void click(int i)
    {
        press(i);
        release(i);
        form->img_Button_Click(i);
    }
};
