#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {
MsgResponder& responder()
{
    static MsgResponder r;
    return r;
}
}

void setMsgBoxResponder(MsgResponder r) { responder() = std::move(r); }

QString msgDefaultTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Brushbox") : name;
}

MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? msgDefaultTitle() : title;
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString program = QCoreApplication::applicationName().toLower();
    std::fprintf(stderr, "%s: %s: %s\n", qUtf8Printable(program.isEmpty() ? QStringLiteral("brushbox") : program),
                 qUtf8Printable(shownTitle), qUtf8Printable(oneLine));
    std::fflush(stderr);

    if (responder())
        return responder()(MsgRecord{shownTitle, text, buttons, icon});
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return MsgResult::Ok;

    QMessageBox box;
    box.setWindowTitle(shownTitle);
    QString shownText = text;
    shownText.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shownText);
    switch (icon) {
    case MsgIcon::Stop:
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    if (buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}
