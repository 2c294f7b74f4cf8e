// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Whole sittings on real windows: every window shown again and again from the paint window that
// owns it, driven by mouse and key events that a disabled window would ignore.
#include "paint/frm_help.h"
#include "paint/frm_open.h"
#include "paint/frm_save.h"
#include "paintwindow_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs a step inside the next modal window that opens. A window that is still open two seconds
// after its step is hidden, so a window that ignores its input fails the test instead of
// hanging it.
class InsideModal {
public:
    explicit InsideModal(std::function<void(QWidget*)> step) : m_step(std::move(step))
    {
        m_clock.start();
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        m_poll.start();
    }
    bool ran() const { return m_ran; }
    bool closedByItself() const { return m_ran && !m_forced; }
    QWidget* window() const { return m_window; }

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!m_ran) {
            if (w && w->isVisible()) {
                m_ran = true;
                m_window = w;
                m_step(w);
                m_clock.restart();
            } else if (m_clock.hasExpired(5000)) {
                m_poll.stop();
            }
            return;
        }
        if (!m_window || !m_window->isVisible()) {
            m_poll.stop();
        } else if (m_clock.hasExpired(2000)) {
            m_forced = true;
            m_window->hide();
            m_poll.stop();
        }
    }

    std::function<void(QWidget*)> m_step;
    QTimer m_poll;
    QElapsedTimer m_clock;
    QPointer<QWidget> m_window; // the open dialog is deleted once it closes
    bool m_ran = false;
    bool m_forced = false;
};

struct SittingTest : PaintWindowTest {
    SittingTest()
    {
        auto& s = PaintSettings;
        folders.mkdir("app/user/Mine");
        folders.mkdir("app/pictures");
        s.picture.expanded = folders.app() + "/pictures/";
        s.catalog.expanded = folders.app() + "/user/";
        folders.write("app/user/Mine.bmp", pictureBytes("BMP", 8, 8, Qt::cyan));
        s.catalogs = {{"Mine", false}, {}};
        writePicture("help.bmp", 40, 30, Qt::magenta);
        writePicture("savehelp.bmp", 40, 30, Qt::darkGreen);
        s.help.active = true;
        s.help.picture = "help.bmp";
        s.save.helpPicture = "savehelp.bmp";
        s.save.helpActive = true;
    }

    QString saved(const QString& name) const { return folders.app() + "/user/Mine/" + name; }

    // Presses the save button of the paint window and runs the step inside the save window.
    InsideModal* save(std::function<void(SaveForm*)> step)
    {
        auto* inside = new InsideModal([step](QWidget* w) {
            auto* saveForm = qobject_cast<SaveForm*>(w);
            ASSERT_NE(saveForm, nullptr) << "the modal window is not the save window";
            EXPECT_TRUE(saveForm->isEnabled()) << "the save window came up disabled";
            step(saveForm);
        });
        click(btnSave);
        return inside;
    }
};

void clickOn(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3)); }

} // namespace

TEST(Sitting, TheSaveWindowAnswersEveryShowingAndSavesInTurn)
{
    for (const bool large : {false, true}) {
        SittingTest t;
        PaintSettings.save.largeIcons = large;
        t.open();
        t.form->show();
        t.canvas().PSet(20, 20, 0x0000FF);

        std::unique_ptr<InsideModal> first(t.save([](SaveForm* f) {
            clickOn(f->img_Catalog[0]);
            clickOn(f->img_Button[SaveSettings::Save]);
        }));
        EXPECT_TRUE(first->closedByItself());
        EXPECT_TRUE(QFile::exists(t.saved("0.bmp")) && QFile::exists(t.saved("0_.bmp")));

        // The catalog stays chosen: one click on save.
        std::unique_ptr<InsideModal> second(t.save([](SaveForm* f) { clickOn(f->img_Button[SaveSettings::Save]); }));
        EXPECT_TRUE(second->closedByItself()) << (large ? "large" : "small");
        EXPECT_TRUE(QFile::exists(t.saved("1.bmp")) && QFile::exists(t.saved("1_.bmp")));

        std::unique_ptr<InsideModal> cancelled(t.save([](SaveForm* f) { QTest::keyClick(f, Qt::Key_Escape); }));
        EXPECT_TRUE(cancelled->closedByItself());
        EXPECT_FALSE(QFile::exists(t.saved("2.bmp")));

        // Help over the save window, then the save window is still the child's.
        std::unique_ptr<InsideModal> help;
        std::unique_ptr<InsideModal> third(t.save([&help](SaveForm* f) {
            help = std::make_unique<InsideModal>([](QWidget* h) {
                EXPECT_NE(qobject_cast<frm_Help*>(h), nullptr);
                EXPECT_TRUE(h->isEnabled());
                clickOn(h);
            });
            QTest::keyClick(f, Qt::Key_F1);
            EXPECT_TRUE(help->closedByItself());
            EXPECT_TRUE(f->isEnabled());
            clickOn(f->img_Button[SaveSettings::Save]);
        }));
        EXPECT_TRUE(third->closedByItself());
        EXPECT_TRUE(QFile::exists(t.saved("2.bmp")) && QFile::exists(t.saved("2_.bmp")));
        EXPECT_EQ(QImage(t.saved("2.bmp")).pixelColor(20, 20), QColor(255, 0, 0));

        // The paint window is the child's again and answers Esc.
        EXPECT_TRUE(t.form->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        QTest::keyClick(t.form.get(), Qt::Key_Escape);
        EXPECT_EQ(t.ends, 1);
        QDir(t.folders.app() + "/user/Mine").removeRecursively();
    }
}

TEST(Sitting, HelpAndOpenWindowsAnswerEveryShowing)
{
    SittingTest t;
    t.open();
    t.form->show();
    for (int round = 0; round < 4; ++round) {
        PaintSettings.open.largeIcons = round >= 2;
        InsideModal help([](QWidget* h) {
            EXPECT_NE(qobject_cast<frm_Help*>(h), nullptr);
            EXPECT_TRUE(h->isEnabled());
            QTest::keyClick(h, Qt::Key_A);
        });
        QTest::keyClick(t.form.get(), Qt::Key_F1);
        EXPECT_TRUE(help.closedByItself()) << "help, showing " << round + 1;

        InsideModal open([](QWidget* w) {
            EXPECT_NE(qobject_cast<OpenForm*>(w), nullptr);
            EXPECT_TRUE(w->isEnabled());
            QTest::keyClick(w, Qt::Key_Escape);
        });
        t.click(btnOpen);
        EXPECT_TRUE(open.closedByItself()) << "open, showing " << round + 1;
        EXPECT_TRUE(t.form->isEnabled());
    }
}
