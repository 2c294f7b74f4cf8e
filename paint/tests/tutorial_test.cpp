#include "paint/brushbox.h"
#include "paint/checkpaint.h"
#include "paint/frm_paint.h"
#include "paint/frm_splash.h"
#include "paint/openini.h"
#include "paint/paintsettings.h"

#include "common/themecheck.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Block {
    QString language; // the fence's info: "sh", "ini zypaint.ini"
    QString text;
};

// The steps of the tutorial's Brushbox part, each with its fenced blocks in order.
QVector<QPair<QString, QVector<Block>>> brushboxSteps()
{
    QFile file(QStringLiteral(DOCS_DIR "/tutorial.md"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype begin = text.indexOf(QStringLiteral("## Part 1")), end = text.indexOf(QStringLiteral("## Part 2"));
    QVector<QPair<QString, QVector<Block>>> steps{{QStringLiteral("before the steps"), {}}};
    const QStringList lines = text.mid(begin, end - begin).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("### "))) {
            steps.append({lines[i].mid(4), {}});
        } else if (lines[i].startsWith(QStringLiteral("```")) && lines[i].size() > 3) {
            Block b{lines[i].mid(3).trimmed(), QString()};
            while (++i < lines.size() && !lines[i].startsWith(QStringLiteral("```")))
                b.text += lines[i] + QLatin1Char('\n');
            steps.last().second.append(b);
        }
    }
    return steps;
}

struct Outcome {
    QStringList findings, boxes;
};

} // namespace

// The tutorial's Brushbox part, built from the page's own blocks step by step: after each step
// the checker finds nothing, start-up shows no box, and the window shows what the text promises.
TEST(Tutorial, BrushboxThemeStepByStep)
{
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        GTEST_SKIP() << "ImageMagick's convert is needed to make the tutorial's pictures";
    TestFolders f;
    const QString home = f.path(QStringLiteral("home"));
    QDir().mkpath(home);
    const QString theme = home + QStringLiteral("/mytheme");
    const QString ini = theme + QStringLiteral("/zypaint.ini");

    // What each step promises on the screen.
    const QHash<QString, std::function<void(frm_Paint&)>> promises = {
        {QStringLiteral("2. The smallest configuration"),
         [](frm_Paint& w) {
             EXPECT_FALSE(w.img_Background->picture().isNull());
             for (int i = 0; i < kPaintButtons; ++i)
                 EXPECT_TRUE(w.img_Button[size_t(i)]->isHidden()) << "button " << i;
             EXPECT_TRUE(w.pic_Palette->isHidden());
         }},
        {QStringLiteral("3. The buttons"),
         [](frm_Paint& w) {
             for (int b : {btnDraw, btnOpen, btnSave})
                 EXPECT_FALSE(w.img_Button[size_t(b)]->isHidden()) << "button " << b;
             EXPECT_TRUE(w.img_Button[btnSpray]->isHidden());
             EXPECT_TRUE(PaintSettings.buttons[btnDraw].activemade);
         }},
        {QStringLiteral("4. A palette"),
         [](frm_Paint& w) {
             EXPECT_FALSE(w.pic_Palette->isHidden());
             EXPECT_FALSE(w.shp_CurrentColor->isHidden());
             EXPECT_EQ(w.shp_CurrentColor->backColor(), 0x0000FFu) << "red";
             // No colour of the palette is the lock colour.
             for (int x = 0; x < w.pic_Palette->Picture().width(); ++x)
                 EXPECT_NE(w.pic_Palette->Picture().pixel(x, 16) & 0xFFFFFF, 0u) << "x " << x;
         }},
    };

    int checkedSteps = 0;
    for (const auto& [step, blocks] : brushboxSteps()) {
        SCOPED_TRACE(qPrintable(step));
        bool configured = false;
        for (const Block& b : blocks) {
            // "ini zypaint.ini" writes the file, "ini zypaint.ini added" adds to it.
            if (b.language.startsWith(QLatin1String("ini"))) {
                ASSERT_TRUE(b.language.contains(QStringLiteral("zypaint.ini"))) << qPrintable(b.language);
                QString body = b.text;
                body.replace(QStringLiteral("/home/anna"), home);
                QFile out(ini);
                ASSERT_TRUE(out.open(b.language.endsWith(QStringLiteral("added")) ? QIODevice::Append : QIODevice::WriteOnly));
                out.write((out.size() > 0 ? QStringLiteral("\n") + body : body).toUtf8());
                configured = true;
            } else if (b.language == QLatin1String("sh") && !b.text.contains(QStringLiteral("brushbox"))
                       && !b.text.contains(QStringLiteral("PATH"))) {
                QProcess sh;
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(QStringLiteral("HOME"), home);
                sh.setProcessEnvironment(env);
                sh.setWorkingDirectory(QDir(theme).exists() ? theme : home);
                sh.start(QStringLiteral("bash"), {QStringLiteral("-ec"), b.text});
                ASSERT_TRUE(sh.waitForFinished(60000));
                ASSERT_EQ(sh.exitCode(), 0) << qPrintable(b.text) << qPrintable(QString::fromUtf8(sh.readAllStandardError()));
            }
        }
        if (!configured && !promises.contains(step))
            continue;
        ++checkedSteps;
        ThemeReport report;
        checkPaintConfiguration(ini, report);
        EXPECT_TRUE(report.clean()) << qPrintable(report.lines().join('\n'));
        resetPaintSettings();
        MessageRecorder boxes;
        bool shown = false;
        pntStartUp(ini, [&](frm_Paint& w) {
            shown = true;
            if (promises.contains(step))
                promises[step](w);
        });
        destroySplashWindow();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(boxes.messages.isEmpty()) << qPrintable(boxes.texts().join('\n'));
    }
    EXPECT_GE(checkedSteps, 4);
    // Step 5's children's catalog is made in the system folder, with its icon.
    EXPECT_TRUE(QFile::exists(f.windows() + QStringLiteral("/MyPaintings/My paintings.bmp")));
    EXPECT_TRUE(QDir(f.windows() + QStringLiteral("/MyPaintings/My paintings")).exists());
}
