// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"
#include "soundcheck.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace {
bool isCatalogPicture(const QString& name)
{
    const QString ext = QFileInfo(name).suffix().toLower();
    return !name.contains('_') && (ext == "bmp" || ext == "gif" || ext == "jpg" || ext == "jpeg" || ext == "wmf");
}


XServer* g_bare = nullptr; // once started

void pause(int ms)
{
    QThread::msleep(ms);
    QCoreApplication::processEvents();
}
}

bool waitFor(const std::function<bool()>& ready, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        pause(10);
    }
    return true;
}

XServer* XServer::instance()
{
    static std::unique_ptr<XServer> server;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<XServer> s(new XServer);
        if (s->start(true))
            server = std::move(s);
    }
    return server.get();
}

XServer* XServer::bare()
{
    static std::unique_ptr<XServer> server;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<XServer> s(new XServer);
        if (s->start(false))
            server = std::move(s);
        g_bare = server.get();
    }
    return server.get();
}

bool XServer::start(bool windowManager)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return false;
    if (windowManager && QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        return false;
    // The server takes the first free display itself and names it: test processes started side by
    // side never race for one.
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-noreset"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(5000))
        return false;
    QByteArray named;
    while (!named.contains('\n') && m_xvfb.waitForReadyRead(20000))
        named += m_xvfb.readAllStandardOutput();
    if (!named.contains('\n')) {
        m_xvfb.kill();
        m_xvfb.waitForFinished();
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(named.trimmed());
    return !windowManager || startWindowManager();
}

bool XServer::startWindowManager()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    m_openbox.setProcessEnvironment(env);
    m_openbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_openbox.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_openbox.waitForStarted(5000))
        return false;
    // It manages the screen once it has announced itself on the root window.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && m_openbox.state() == QProcess::Running) {
        if (run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}).contains("window id"))
            return true;
        pause(25);
    }
    return false;
}

XServer::~XServer()
{
    if (m_shots)
        xcb_disconnect(m_shots);
    if (m_openbox.state() != QProcess::NotRunning) {
        m_openbox.terminate();
        if (!m_openbox.waitForFinished(3000))
            m_openbox.kill();
    }
    m_xvfb.terminate();
    if (!m_xvfb.waitForFinished(3000))
        m_xvfb.kill();
}

QString XServer::run(const QString& program, const QStringList& args, int* exitCode) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(15000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

double XServer::key(const QString& keys) const
{
    const double at = steadyMs();
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
    pause(50);
    return at;
}

void XServer::focus(qulonglong window) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)});
}

double XServer::click(int x, int y) const
{
    // The click comes after xdotool starts and well before it is seen to end.
    const double at = steadyMs();
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(x), QString::number(y), QStringLiteral("click"),
                                    QStringLiteral("1")});
    pause(50);
    return at;
}

QImage XServer::screenshot(const QString& savePath) const
{
    // Read straight from the server: a screenshot tool started per shot costs tens of
    // milliseconds, and a sitting takes hundreds of shots.
    if (!m_shots) {
        m_shots = xcb_connect(m_display.toLatin1().constData(), nullptr);
        if (xcb_connection_has_error(m_shots)) {
            xcb_disconnect(m_shots);
            m_shots = nullptr;
            return QImage();
        }
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_shots)).data;
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        m_shots, xcb_get_image(m_shots, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0, uint16_t(w), uint16_t(h), ~0u), nullptr);
    QImage shot;
    if (reply && reply->depth == 24 && xcb_get_image_data_length(reply) == w * h * 4) {
        shot = QImage(w, h, QImage::Format_RGB32);
        const auto* from = reinterpret_cast<const quint32*>(xcb_get_image_data(reply));
        for (int y = 0; y < h; ++y) {
            auto* to = reinterpret_cast<quint32*>(shot.scanLine(y));
            for (int i = 0; i < w; ++i)
                to[i] = from[y * w + i] | 0xFF000000u; // the pad byte is not alpha
        }
    }
    std::free(reply);
    if (!shot.isNull() && !savePath.isEmpty())
        shot.save(savePath);
    return shot;
}

QImage XServer::stillScreen(int timeoutMs) const
{
    // Still means unchanged for longer than an animation's frame (Twinturn's take 50 ms).
    constexpr qint64 kStillMs = 120;
    QElapsedTimer clock, unchanged;
    clock.start();
    unchanged.start();
    QImage last = screenshot();
    while (clock.elapsed() < timeoutMs) {
        pause(10);
        QImage next = screenshot();
        if (next.isNull() || next != last) {
            last = std::move(next);
            unchanged.restart();
        } else if (unchanged.elapsed() >= kStillMs) {
            return next;
        }
    }
    return QImage();
}

QImage XServer::changedScreen(const QImage& before, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QImage shot = screenshot();
        if (!shot.isNull() && shot != before)
            return stillScreen(int(std::max<qint64>(timeoutMs - clock.elapsed(), 1000)));
        pause(10);
    }
    return QImage();
}

QList<qulonglong> XServer::windows(const QString& title) const
{
    QList<qulonglong> ids;
    const QString out = run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                        QStringLiteral("--name"), QStringLiteral("^%1$").arg(title)});
    for (const QString& id : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        ids << id.toULongLong();
    return ids;
}

qulonglong XServer::waitForWindow(const QString& title, int timeoutMs) const
{
    qulonglong window = 0;
    waitFor([&] {
        const QList<qulonglong> ids = windows(title);
        window = ids.isEmpty() ? 0 : ids.last();
        return window != 0;
    }, timeoutMs);
    return window;
}

QRect XServer::geometry(qulonglong window) const
{
    // xwininfo, not xdotool: under a window manager xdotool adds the frame's offset once more.
    const QString out = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    QRect r;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const QString v = line.section(QLatin1Char(':'), 1).trimmed();
        if (line.contains(QLatin1String("Absolute upper-left X:"))) r.moveLeft(v.toInt());
        if (line.contains(QLatin1String("Absolute upper-left Y:"))) r.moveTop(v.toInt());
        if (line.trimmed().startsWith(QLatin1String("Width:"))) r.setWidth(v.toInt());
        if (line.trimmed().startsWith(QLatin1String("Height:"))) r.setHeight(v.toInt());
    }
    return r;
}

WindowManager::WindowManager()
{
    XServer* x = XServer::instance();
    if (!x)
        return;
    // Managed while the window named on the root window is there (a manager that ended leaves
    // the name behind).
    auto managed = [x] {
        const QString out = x->run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        const QString id = out.section(QLatin1Char('#'), 1).trimmed();
        int code = -1;
        if (!id.isEmpty())
            x->run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, &code);
        return code == 0;
    };
    // One may manage the screen already, from the server's start or an earlier test.
    m_already = managed();
    if (m_already || QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        return;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x->display());
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_process.waitForStarted(5000))
        return;
    // Ready once it has said on the root window that it manages the screen.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && ready() && !managed())
        pause(50);
}

WindowManager::~WindowManager()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

QRect XServer::clientGeometry(qulonglong window) const
{
    const QString out = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    QRect r;
    for (const QString& raw : out.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        const int v = line.section(QLatin1Char(':'), 1).trimmed().toInt();
        if (line.startsWith(QLatin1String("Absolute upper-left X:"))) r.moveLeft(v);
        if (line.startsWith(QLatin1String("Absolute upper-left Y:"))) r.moveTop(v);
        if (line.startsWith(QLatin1String("Width:"))) r.setWidth(v);
        if (line.startsWith(QLatin1String("Height:"))) r.setHeight(v);
    }
    return r;
}

ProgramRun::ProgramRun(const QString& executable, const QStringList& args, const QString& windowsFolder,
                       const QProcessEnvironment& extra)
{
    m_x = g_bare && extra.value(QStringLiteral("DISPLAY")) == g_bare->display() ? g_bare : XServer::instance();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_x ? m_x->display() : QString());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("WINDIR"), windowsFolder);
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent")); // the silent sound backend
    env.insert(extra);
    m_process.setProcessEnvironment(env);
    m_process.start(executable, args);
    m_process.waitForStarted(5000);
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void ProgramRun::sendSignal(int sig) const
{
    if (m_process.state() != QProcess::NotRunning)
        ::kill(pid_t(m_process.processId()), sig);
}

QString ProgramRun::stderrText()
{
    m_stderr += QString::fromUtf8(m_process.readAllStandardError());
    return m_stderr;
}

bool ProgramRun::waitForStderr(const QString& text, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (stderrText().contains(text))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return stderrText().contains(text);
        m_process.waitForReadyRead(100);
    }
    return false;
}

bool ProgramRun::waitForExit(int timeoutMs)
{
    const bool ended = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    stderrText();
    return ended;
}

ThemeFolder::ThemeFolder() { QDir().mkpath(windows()); }

QString ThemeFolder::path(const QString& relative) const
{
    return relative.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + relative;
}

void ThemeFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray ThemeFolder::read(const QString& relative) const
{
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ThemeFolder::copyFromSample(const QString& folder, const QString& target) const
{
    const QString from = QStringLiteral(BIN_DIR) + QLatin1Char('/') + folder;
    if (QFileInfo(from).isFile()) {
        QDir().mkpath(QFileInfo(path(target)).path());
        QFile::copy(from, path(target));
        return;
    }
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString to = path(target) + file.mid(from.size());
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(file, to);
    }
}

QByteArray ThemeFolder::copySampleBrushbox() const
{
    copyFromSample(QStringLiteral("gfx"), QStringLiteral("gfx"));
    copyFromSample(QStringLiteral("snd"), QStringLiteral("snd"));
    copyFromSample(QStringLiteral("pictures"), QStringLiteral("pictures"));
    QFile sample(QStringLiteral(BIN_DIR "/zypaint.ini"));
    sample.open(QIODevice::ReadOnly);
    return sample.readAll().replace("%apppath%", (path() + QLatin1Char('/')).toUtf8());
}

void ThemeFolder::copySampleTwinturn() const
{
    copyFromSample(QStringLiteral("games"), QStringLiteral("games"));
    QFile sample(QStringLiteral(BIN_DIR "/memory.ini"));
    sample.open(QIODevice::ReadOnly);
    // Folders written without a macro are taken as written, so they end in a separator.
    QByteArray ini;
    for (QByteArray line : sample.readAll().split('\n')) {
        line = line.trimmed();
        if (line.contains("%apppath%"))
            line = line.replace("%apppath%", (path() + QLatin1Char('/')).toUtf8()) + "/";
        ini += line + "\r\n";
    }
    write(QStringLiteral("memory.ini"), ini);
}

qint64 ProgramRun::peakMegabytes() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
    if (m_process.state() == QProcess::NotRunning || !status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    return 0;
}

int ProgramRun::answerMessages(const QString& prefix, int quietMs, int timeoutMs)
{
    XServer* x = m_x;
    const int before = m_answered;
    int& answered = m_answered;
    QElapsedTimer total, quiet;
    total.start();
    quiet.start();
    while (total.elapsed() < timeoutMs && running()) {
        const int shown = int(stderrText().count(QLatin1Char('\n') + prefix)) + (stderrText().startsWith(prefix) ? 1 : 0);
        if (shown > answered) {
            // The box is mapped after its line is written: the newest small window with a title
            // (a splash has none).
            qulonglong box = 0;
            waitFor([&] {
                const QString out = x->run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                                       QStringLiteral("--class"), QStringLiteral(".")});
                for (const QString& id : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                    const QRect g = x->geometry(id.toULongLong());
                    const bool titled = !x->run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id}).trimmed().isEmpty();
                    if (titled && g.width() > 60 && g.width() < 600 && g.height() < 400 && id.toULongLong() > m_lastBox)
                        box = std::max(box, id.toULongLong());
                }
                return box != 0;
            }, 3000);
            if (box) {
                m_lastBox = box;
                x->focus(box);
            }
            x->key(QStringLiteral("Return"));
            ++answered;
            quiet.restart();
            continue;
        }
        if (quiet.elapsed() > quietMs)
            break;
        m_process.waitForReadyRead(100);
    }
    return answered - before;
}

// The catalog's listed pictures in the dialog's order, and the figure of the first one that has one.
FigurePicture firstFigure(const QString& folder)
{
    FigurePicture found;
    int cell = 0;
    for (const QString& name : listDir(folder, ListKind::FilesOnly)) {
        const QString base = folder + "/" + QFileInfo(name).completeBaseName();
        if (!isCatalogPicture(name) || !(QFile::exists(base + "_.bmp") || QFile::exists(base + "_.gif") || QFile::exists(base + "_.jpg")))
            continue;
        QFile ini(base + ".INI");
        if (found.cell < 0 && ini.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = ini.readAll().split('\n');
            int at = 0;
            while (at < lines.size() && !lines[at].trimmed().toLower().startsWith("[coords]"))
                ++at;
            const int count = at + 1 < lines.size() ? lines[at + 1].trimmed().toInt() : 0;
            for (int i = 0; i < count && at + 2 + i < lines.size(); ++i) {
                const QList<QByteArray> xy = lines[at + 2 + i].trimmed().split('\t');
                found.points.append(QPointF(xy[0].toDouble(), xy[1].toDouble()));
            }
            found.cell = cell;
            found.base = base;
        }
        ++cell;
    }
    return found;
}

