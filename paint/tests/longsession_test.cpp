#include "paintwindow_fixture.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}
}

// A child at the paint window for a long while: ten thousand random strokes, sprays, fills,
// palette picks and clears, anywhere, in and out of the canvas.
TEST(LongSession, TenThousandRandomActionsOnThePaintWindow)
{
    PaintWindowTest t;
    frm_Paint& form = t.open();
    form.Form_Load();
    QRandomGenerator random(20261207);
    form.Rnd = [&random] { return random.generateDouble(); };
    const QSize size = t.canvas().image().size();
    auto anywhere = [&random](int extent) { return random.bounded(-40, extent + 40) + random.generateDouble(); };
    qint64 settled = 0;
    int fills = 0, clears = 0;
    qint64 painted = 0;
    for (int action = 0; action < 10000; ++action) {
        switch (random.bounded(6)) {
        case 0: // a stroke with the current tool
        case 1: {
            const int button = random.bounded(2) ? 1 : 2;
            form.pic_Paint_MouseDown(button, 0, anywhere(size.width()), anywhere(size.height()));
            for (int m = random.bounded(12); m > 0; --m)
                form.pic_Paint_MouseMove(button, 0, anywhere(size.width()), anywhere(size.height()));
            form.pic_Paint_MouseUp(button, 0, anywhere(size.width()), anywhere(size.height()));
            break;
        }
        case 2: // choose draw, spray or fill
            t.click(random.bounded(3));
            fills += intTool == 2;
            break;
        case 3:
            form.pic_Palette_MouseDown(1, 0, anywhere(609), anywhere(33));
            break;
        case 4:
            if (random.bounded(20) == 0) {
                t.click(btnClear);
                ++clears;
            } else {
                form.pic_Paint_MouseMove(0, 0, anywhere(size.width()), anywhere(size.height()));
            }
            break;
        case 5:
            form.img_Button_MouseMove(random.bounded(kPaintButtons), 0, 0, 5, 5);
            break;
        }
        if (action % 500 == 0) {
            QCoreApplication::processEvents();
            const QImage& img = t.canvas().image();
            for (int y = 0; y < img.height(); y += 3)
                for (int x = 0; x < img.width(); x += 3)
                    painted += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        }
        if (action == 1000)
            settled = residentKilobytes();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(t.canvas().image().size(), size);
    EXPECT_GT(fills, 0);
    EXPECT_GT(painted, 10000); // the child's paint did land on the canvas
    EXPECT_GT(clears, 0);
    EXPECT_EQ(t.ends, 0);
    EXPECT_TRUE(t.boxes.messages.isEmpty()) << qPrintable(t.boxes.texts().join('\n'));
    // After the first thousand actions the window holds all it will: no growth beyond 20 MB.
    if (kMemoryMeasurable) {
        EXPECT_LT(residentKilobytes() - settled, 20 * 1024);
    }
}
