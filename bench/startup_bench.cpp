// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Start-up figures: for each program given, starts it RUNS times on the current X display and
// reports the median time from launch to its first painted window, and its resident memory one
// second after that. Usage: startup_bench RUNS NAME=PROGRAM [ARGS...] ...
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>

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

// One start: the first-paint time in ms and the resident memory, or -1 on failure.
std::pair<double, double> startOnce(const QString& program, const QStringList& args)
{
    QTemporaryDir windows;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINDIR"), windows.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    const qint64 launch = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    env.insert(QStringLiteral("BB_LAUNCH_NS"), QString::number(launch));
    p.setProcessEnvironment(env);
    p.start(program, args);
    QElapsedTimer clock;
    clock.start();
    QByteArray err;
    double ms = -1;
    while (clock.elapsed() < 20000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(20);
        err += p.readAllStandardError();
        const qsizetype at = err.indexOf("first-paint ");
        if (at >= 0 && err.indexOf('\n', at) > at) {
            ms = err.mid(at + 12, err.indexOf('\n', at) - at - 12).toDouble();
            break;
        }
    }
    double rss = -1;
    if (ms >= 0) {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 1000)
            p.waitForReadyRead(50);
        rss = residentMegabytes(p.processId());
    }
    p.kill();
    p.waitForFinished(3000);
    return {ms, rss};
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: startup_bench RUNS NAME=PROGRAM[,ARG...] ...\n");
        return 2;
    }
    const int runs = std::max(1, args[0].toInt());
    std::printf("| Program | Median to first paint | Runs (ms) | Resident memory (median) |\n|---|---|---|---|\n");
    for (const QString& program : args.mid(1)) {
        const QString name = program.section(QLatin1Char('='), 0, 0);
        const QStringList command = program.section(QLatin1Char('='), 1).split(QLatin1Char(','));
        QVector<double> times, memory;
        QStringList each;
        for (int i = 0; i < runs; ++i) {
            const auto [ms, rss] = startOnce(command[0], command.mid(1));
            if (ms < 0) {
                each << QStringLiteral("failed");
                continue;
            }
            times << ms;
            memory << rss;
            each << QString::number(ms, 'f', 0);
        }
        std::printf("| %s | %.0f ms | %s | %.1f MB |\n", qPrintable(name), median(times), qPrintable(each.join(QStringLiteral(", "))),
                    median(memory));
        std::fflush(stdout);
    }
    return 0;
}
