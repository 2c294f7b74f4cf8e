#include "paint/frm_paint.h"

#include "paint/frm_splash.h"
#include "paint/paintsettings.h"
#include "platform/picture.h"

#include <QKeyEvent>
#include <QLabel>

frm_Paint::frm_Paint(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Paint"));
    setWindowTitle(QStringLiteral("Brushbox"));
    pic_Background = new QWidget(this);
    pic_Background->setObjectName(QStringLiteral("pic_Background"));
    pic_Background->setGeometry(0, 0, twipsToPixels(9615), twipsToPixels(7215));
    img_Background = new QLabel(pic_Background);
    img_Background->setObjectName(QStringLiteral("img_Background"));
    img_Background->setGeometry(pic_Background->rect());
    img_Background->setScaledContents(true);
    const QImage background = loadPicture(PaintSettings.gfx.expanded + PaintSettings.interface.background);
    if (!background.isNull())
        img_Background->setPixmap(QPixmap::fromImage(background));
    setFixedSize(pic_Background->size());
}

void frm_Paint::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape)
        close();
}
