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
#include <cstring>
#include <memory>

namespace {
bool isCatalogPicture(const QString& name)
{
    const QString ext = QFileInfo(name).suffix().toLower();
    return !name.contains('_') && (ext == "bmp" || ext == "gif" || ext == "jpg" || ext == "jpeg" || ext == "wmf");
}

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
        if (s->start())
            server = std::move(s);
        // The test binary ends without tearing its statics down: the server goes with the
        // application object, or its children would hold the test's output open.
        qAddPostRoutine([] { server.reset(); });
    }
    return server.get();
}

bool XServer::start()
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("openbox").isEmpty())
        return false;
    // The server takes the first free display itself and names it: test processes started side by
    // side never race for one.
    m_xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-noreset", "-nolisten", "tcp"});
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
    m_display = ':' + QString::fromLatin1(named.trimmed());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    m_openbox.setProcessEnvironment(env);
    m_openbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_openbox.start("openbox", {"--sm-disable"});
    // It manages the screen once it has announced itself on the root window.
    return m_openbox.waitForStarted(5000) && waitFor([&] {
        return !managed() || run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    }) && managed();
}

XServer::~XServer()
{
    if (m_shots)
        xcb_disconnect(m_shots);
    for (QProcess* p : {&m_openbox, &m_xvfb}) {
        p->terminate();
        if (!p->waitForFinished(3000))
            p->kill();
    }
}

QString XServer::run(const QString& program, const QStringList& args, int* exitCode) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
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
    xdo({"key", keys});
    pause(50);
    return at;
}

void XServer::focus(qulonglong window) const { xdo({"windowfocus", "--sync", QString::number(window)}); }

double XServer::click(int x, int y) const
{
    // The click comes after xdotool starts and well before it is seen to end.
    const double at = steadyMs();
    xdo({"mousemove", QString::number(x), QString::number(y), "click", "1"});
    pause(50);
    return at;
}

void XServer::stroke(const QList<QPoint>& points) const
{
    QStringList args;
    for (const QPoint& p : points) {
        // Moves given at once would be merged by the X server itself, as no mouse gives them.
        if (!args.isEmpty())
            args << "sleep" << "0.005";
        args << "mousemove" << QString::number(p.x()) << QString::number(p.y());
        if (args.size() == 3)
            args << "mousedown" << "1";
    }
    xdo(args << "mouseup" << "1");
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
    for (const QString& id : xdo({"search", "--onlyvisible", "--name", "^" + title + "$"}).split('\n', Qt::SkipEmptyParts))
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
    // Without a window xwininfo would wait for one to be clicked.
    QRect r;
    if (!window)
        return r;
    for (const QString& raw : run("xwininfo", {"-id", QString::number(window)}).split('\n')) {
        const QString line = raw.trimmed();
        const int v = line.section(':', 1).trimmed().toInt();
        if (line.startsWith("Absolute upper-left X:")) r.moveLeft(v);
        if (line.startsWith("Absolute upper-left Y:")) r.moveTop(v);
        if (line.startsWith("Width:")) r.setWidth(v);
        if (line.startsWith("Height:")) r.setHeight(v);
    }
    return r;
}

ProgramRun::ProgramRun(const QString& executable, const QStringList& args, const QString& windowsFolder,
                       const QProcessEnvironment& extra)
{
    XServer* x = XServer::instance();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", x ? x->display() : QString());
    env.remove("QT_QPA_PLATFORM");
    env.insert("WINDIR", windowsFolder);
    env.insert("PULSE_SERVER", "unix:/nonexistent"); // the silent sound backend
    env.insert(extra);
    m_process.setProcessEnvironment(env);
    m_process.start(executable, args);
    m_process.waitForStarted(5000);
}

ProgramRun::~ProgramRun()
{
    if (running())
        kill();
}

void ProgramRun::sendSignal(int sig) const
{
    if (running())
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
        if (!running())
            return stderrText().contains(text);
        m_process.waitForReadyRead(100);
    }
    return false;
}

bool ProgramRun::waitForExit(int timeoutMs)
{
    const bool ended = !running() || m_process.waitForFinished(timeoutMs);
    stderrText();
    return ended;
}

bool ProgramRun::endWithEscape(const QString& title)
{
    XServer* x = XServer::instance();
    if (const auto window = x->waitForWindow(title, 3000))
        x->focus(window);
    x->key("Escape");
    if (waitForExit(5000))
        return true;
    kill();
    return false;
}

qint64 ProgramRun::peakMegabytes() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
    if (!running() || !status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    return 0;
}

int ProgramRun::answerMessages(const QString& prefix, int quietMs, int timeoutMs)
{
    XServer* x = XServer::instance();
    const int before = m_answered;
    QElapsedTimer total, quiet;
    total.start();
    quiet.start();
    while (total.elapsed() < timeoutMs && running()) {
        const int shown = int(stderrText().count('\n' + prefix)) + (stderrText().startsWith(prefix) ? 1 : 0);
        if (shown > m_answered) {
            // The box is mapped after its line is written: the newest small window with a title
            // (a splash has none).
            qulonglong box = 0;
            waitFor([&] {
                for (const QString& id : x->xdo({"search", "--onlyvisible", "--class", "."}).split('\n', Qt::SkipEmptyParts)) {
                    const QRect g = x->geometry(id.toULongLong());
                    const bool titled = !x->xdo({"getwindowname", id}).trimmed().isEmpty();
                    if (titled && g.width() > 60 && g.width() < 600 && g.height() < 400 && id.toULongLong() > m_lastBox)
                        box = std::max(box, id.toULongLong());
                }
                return box != 0;
            }, 3000);
            if (box) {
                m_lastBox = box;
                x->focus(box);
            }
            x->key("Return");
            ++m_answered;
            quiet.restart();
            continue;
        }
        if (quiet.elapsed() > quietMs)
            break;
        m_process.waitForReadyRead(100);
    }
    return m_answered - before;
}

ThemeFolder::ThemeFolder() { QDir().mkpath(windows()); }

QString ThemeFolder::path(const QString& relative) const
{
    return relative.isEmpty() ? m_dir.path() : m_dir.path() + '/' + relative;
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
    const QString from = BIN_DIR "/" + folder;
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

QByteArray ThemeFolder::brushboxPaths() const
{
    return "[path]\r\ngfx=" + path("gfx").toUtf8() + "\r\nsnd=" + path("snd").toUtf8() + "\r\npicture="
           + path("pictures").toUtf8() + "\r\ncatalog=" + path("catalogs").toUtf8() + "\r\n";
}

QByteArray ThemeFolder::copySampleBrushbox() const
{
    for (const char* folder : {"gfx", "snd", "pictures"})
        copyFromSample(folder, folder);
    QFile sample(BIN_DIR "/zypaint.ini");
    sample.open(QIODevice::ReadOnly);
    return sample.readAll().replace("%apppath%", (path() + '/').toUtf8());
}

void ThemeFolder::copySampleTwinturn() const
{
    copyFromSample("games", "games");
    QFile sample(BIN_DIR "/memory.ini");
    sample.open(QIODevice::ReadOnly);
    // Folders written without a macro are taken as written, so they end in a separator.
    QByteArray ini;
    for (QByteArray line : sample.readAll().split('\n')) {
        line = line.trimmed();
        if (line.contains("%apppath%"))
            line = line.replace("%apppath%", (path() + '/').toUtf8()) + "/";
        ini += line + "\r\n";
    }
    write("memory.ini", ini);
}

bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    const QImage p = a.convertToFormat(QImage::Format_RGB32), q = b.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < p.height(); ++y)
        if (memcmp(p.constScanLine(y), q.constScanLine(y), size_t(p.width()) * 4) != 0)
            return false;
    return true;
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
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
        }
        ++cell;
    }
    return found;
}

