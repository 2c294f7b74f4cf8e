// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Start-up figures: starts each program given on the current X display, one after the other in
// rounds (so a slow spell of the machine falls on all of them alike), and reports per program the
// median time from launch to
//   - the first paint inside the program (its own probe on standard error: the first window
//     painted, which for Brushbox is the splash screen), and
//   - the first paint seen from outside, by the X server: the first drawing (DAMAGE extension)
//     into a mapped window of that process that has a title (the paint window "Brushbox", the
//     board "Twinturn", the bare window "Bare"; the splash and help windows have a blank title),
// and its resident memory one second after that.
// Usage: startup_bench RUNS NAME=PROGRAM[,ARG...] ...
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {
double median(QVector<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Watches the X server for the first drawing into a titled window of one process.
class PaintWatcher {
public:
    bool open()
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            return false;
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (!damage || !damage->present)
            return false;
        std::free(xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        m_pidAtom = atom("_NET_WM_PID");
        xcb_flush(m_c);
        return true;
    }
    ~PaintWatcher()
    {
        if (m_c)
            xcb_disconnect(m_c);
    }
    int fd() const { return xcb_get_file_descriptor(m_c); }
    void watchProcess(qint64 pid)
    {
        m_pid = pid;
        m_mapped.clear();
    }
    // Handles what the server has sent; true once a titled window of the process got drawn into.
    bool drawn()
    {
        bool seen = false;
        while (xcb_generic_event_t* e = xcb_poll_for_event(m_c)) {
            const uint8_t type = e->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Damage is asked for before the program can map and paint the window: it has to
                // wait for the map's Expose, which comes after this request.
                const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(e);
                xcb_damage_create(m_c, xcb_generate_id(m_c), create->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(m_c);
            } else if (type == XCB_MAP_NOTIFY) {
                m_mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(e)->window);
            } else if (type == m_damageEvent) {
                const auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(e);
                if (m_mapped.contains(d->drawable) && ownedTitled(d->drawable))
                    seen = true;
            }
            std::free(e);
        }
        return seen;
    }

private:
    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return a;
    }
    QByteArray property(xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
    {
        xcb_get_property_reply_t* r = xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, w, name, type, 0, 256), nullptr);
        QByteArray value;
        if (r)
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
        std::free(r);
        return value;
    }
    bool ownedTitled(xcb_window_t w)
    {
        const QByteArray pid = property(w, m_pidAtom, XCB_ATOM_CARDINAL);
        if (pid.size() != 4 || *reinterpret_cast<const uint32_t*>(pid.constData()) != uint32_t(m_pid))
            return false;
        return !property(w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY).trimmed().isEmpty();
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_ATOM_NONE;
    uint8_t m_damageEvent = 0;
    qint64 m_pid = 0;
    QSet<xcb_window_t> m_mapped;
};

struct Start {
    double inside = -1;  // ms to the program's own first paint
    double outside = -1; // ms to the first drawing into its titled window
    double rss = -1;
};

double since(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

Start startOnce(PaintWatcher& watcher, const QString& program, const QStringList& args)
{
    QTemporaryDir windows;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINDIR"), windows.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    const qint64 launch = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    env.insert(QStringLiteral("BB_LAUNCH_NS"), QString::number(launch));
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError);
    const auto launched = std::chrono::steady_clock::now();
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return {};
    watcher.watchProcess(p.processId());
    Start s;
    QByteArray err;
    while (since(launched) < 20000 && p.state() != QProcess::NotRunning && (s.inside < 0 || s.outside < 0)) {
        pollfd x{watcher.fd(), POLLIN, 0};
        ::poll(&x, 1, 1);
        if (s.outside < 0 && watcher.drawn())
            s.outside = since(launched);
        if (p.waitForReadyRead(0))
            err += p.readAllStandardError();
        const qsizetype at = err.indexOf("first-paint ");
        if (s.inside < 0 && at >= 0 && err.indexOf('\n', at) > at)
            s.inside = err.mid(at + 12, err.indexOf('\n', at) - at - 12).toDouble();
    }
    if (s.inside >= 0 && s.outside >= 0) {
        const auto settle = std::chrono::steady_clock::now();
        while (since(settle) < 1000) {
            p.waitForReadyRead(50);
            watcher.drawn();
        }
        s.rss = residentMegabytes(p.processId());
    }
    p.kill();
    p.waitForFinished(3000);
    watcher.drawn();
    return s;
}

struct Program {
    QString name;
    QStringList command;
    QVector<double> inside, outside, memory;
    QStringList each;
};
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: startup_bench RUNS NAME=PROGRAM[,ARG...] ...\n");
        return 2;
    }
    PaintWatcher watcher;
    if (!watcher.open()) {
        std::fprintf(stderr, "startup_bench: no X display with the DAMAGE extension\n");
        return 2;
    }
    const int runs = std::max(1, args[0].toInt());
    std::vector<Program> programs;
    for (const QString& program : args.mid(1))
        programs.push_back({program.section(QLatin1Char('='), 0, 0),
                            program.section(QLatin1Char('='), 1).split(QLatin1Char(',')), {}, {}, {}, {}});
    for (int i = 0; i < runs; ++i)
        for (Program& p : programs) {
            const Start s = startOnce(watcher, p.command[0], p.command.mid(1));
            if (s.rss < 0) {
                p.each << QStringLiteral("failed");
                continue;
            }
            p.inside << s.inside;
            p.outside << s.outside;
            p.memory << s.rss;
            p.each << QStringLiteral("%1/%2").arg(s.inside, 0, 'f', 0).arg(s.outside, 0, 'f', 0);
        }
    const double floor = programs.front().outside.isEmpty() ? 0 : median(programs.front().outside);
    std::printf("| Program | First paint inside (median) | Titled window drawn, seen by X (median) | Against %s | Runs (inside/outside, ms) | Resident memory (median) |\n"
                "|---|---|---|---|---|---|\n",
                qPrintable(programs.front().name));
    for (const Program& p : programs)
        std::printf("| %s | %.0f ms | %.0f ms | %.2fx | %s | %.1f MB |\n", qPrintable(p.name), median(p.inside), median(p.outside),
                    floor > 0 ? median(p.outside) / floor : 0.0, qPrintable(p.each.join(QStringLiteral(", "))), median(p.memory));
    return 0;
}
