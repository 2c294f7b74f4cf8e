// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QPointF>
#include <QVector>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <functional>

struct xcb_connection_t;

// Waits until ready() holds, looking every few milliseconds; false on timeout.
bool waitFor(const std::function<bool()>& ready, int timeoutMs = 10000);

// Where a missing sound server or printer fails the test instead of skipping it.
inline bool devicesRequired() { return qEnvironmentVariableIsSet("BB_REQUIRE_DEVICES"); }

inline QRgb rgb(QRgb c) { return c & 0xFFFFFF; }

// The same colours at every pixel (a screenshot and a picture file carry different colour spaces).
bool samePixels(const QImage& a, const QImage& b);

// The mean difference per colour channel of two pictures of one size (0 the same, 255 opposite).
double meanDifference(const QImage& a, const QImage& b);

// The test's X server as x; the test is skipped where Xvfb or openbox is not installed.
#define REQUIRE_X()                                                                                                    \
    XServer* x = XServer::instance();                                                                                  \
    if (!x)                                                                                                            \
    GTEST_SKIP() << "Xvfb or openbox is not installed"

// A private X server for the end-to-end tests (Xvfb, never reset when its last client leaves),
// with a window manager (openbox) on it as on a real desktop.
class XServer {
public:
    static XServer* instance(); // started on first use; null when Xvfb or openbox is not installed
    QString display() const { return m_display; }
    bool managed() const { return m_openbox.state() == QProcess::Running; }
    // Runs an X tool (xdotool, xprop) on this display; returns its standard output.
    QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) const;
    QString xdo(const QStringList& args) const { return run("xdotool", args); }
    // Each returns the steady time (steadyMs) at which the key or click was given.
    double key(const QString& keys) const;
    double click(int x, int y) const;
    double click(QPoint p) const { return click(p.x(), p.y()); }
    // A stroke with the button held, straight from one place to the other.
    void drag(QPoint from, QPoint to) const { stroke({from, to}); }
    // A stroke with the button held through the points, a few milliseconds between moves.
    void stroke(const QList<QPoint>& points) const;
    // Gives the window the keyboard, as a window manager would when it is clicked.
    void focus(qulonglong window) const;
    QImage screenshot(const QString& savePath = QString()) const;
    // The screen once it has stood unchanged for a moment (null on timeout): what a program
    // shows after it has taken what it was given.
    QImage stillScreen(int timeoutMs = 10000) const;
    // The still screen after it first differs from before (null when it never does).
    QImage changedScreen(const QImage& before, int timeoutMs = 10000) const;
    // The mapped windows of exactly that title, oldest first.
    QList<qulonglong> windows(const QString& title) const;
    // The window of that title, when one is mapped within the timeout; 0 otherwise.
    qulonglong waitForWindow(const QString& title, int timeoutMs = 10000) const;
    // True once no window of that title is mapped.
    bool waitForNoWindow(const QString& title, int timeoutMs = 10000) const
    {
        return waitFor([&] { return windows(title).isEmpty(); }, timeoutMs);
    }
    // Where the window's inside lies on the screen, also under a window manager's frame (whose
    // offset xdotool counts twice).
    QRect geometry(qulonglong window) const;
    ~XServer();

private:
    XServer() = default;
    bool start();
    QProcess m_xvfb, m_openbox;
    QString m_display;
    mutable xcb_connection_t* m_shots = nullptr; // screenshots are read on their own connection
};

// One run of a real program with its own system folder.
class ProgramRun {
public:
    // Without a sound server the program plays silently.
    ProgramRun(const QString& executable, const QStringList& args, const QString& windowsFolder,
               const QProcessEnvironment& extra = {});
    ~ProgramRun();
    // Waits until stderr holds text; false on timeout or when the program ended without it.
    bool waitForStderr(const QString& text, int timeoutMs = 10000);
    bool waitForExit(int timeoutMs = 10000);
    // Esc to the window of that title (when there is one); killed when it has not ended in
    // time. Returns whether it ended by itself.
    bool endWithEscape(const QString& title = "Brushbox");
    QString stderrText();
    int exitCode() const { return m_process.exitCode(); }
    void kill() { m_process.kill(); m_process.waitForFinished(3000); }
    void sendSignal(int sig) const;
    // Ended by itself (not by a signal it did not handle).
    bool endedNormally() const { return m_process.exitStatus() == QProcess::NormalExit; }
    qint64 pid() const { return m_process.processId(); }
    // Peak resident memory of the program so far, in megabytes (0 when it has ended).
    qint64 peakMegabytes() const;
    // Answers each message box the program shows (each also prints a line starting with prefix)
    // with Return, until no new message has come for quietMs. Returns how many were answered;
    // messages answered by an earlier call are not answered again.
    int answerMessages(const QString& prefix, int quietMs = 1500, int timeoutMs = 30000);
    bool running() const { return m_process.state() != QProcess::NotRunning; }

private:
    QProcess m_process;
    QString m_stderr;
    int m_answered = 0;
    qulonglong m_lastBox = 0; // the last box answered: a new one has a higher id
};

// A theme folder for one test, made from the built sample theme's pictures and sounds.
class ThemeFolder {
public:
    ThemeFolder();
    QString path(const QString& relative = QString()) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    void copyFromSample(const QString& folder, const QString& target) const; // e.g. "gfx"
    QString windows() const { return path("windows"); }
    // Brushbox's [path] section naming this folder's gfx, snd, pictures and catalogs.
    QByteArray brushboxPaths() const;
    // The sample Brushbox theme copied here; returns its zypaint.ini with this folder in the
    // place of %apppath% (the caller may change it before writing it).
    QByteArray copySampleBrushbox() const;
    // The sample Twinturn games copied here, with memory.ini written to point at them.
    void copySampleTwinturn() const;

private:
    QTemporaryDir m_dir;
};

// A picture of a sample catalog that has a dot-to-dot figure: its cell in the open dialog's
// grid, and its points.
struct FigurePicture {
    int cell = -1;
    QVector<QPointF> points;
};
FigurePicture firstFigure(const QString& folder);
