// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "soundcheck.h"
#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {
constexpr double kToneAmplitude = 0.3; // of full scale: three tones at once still do not clip
constexpr int kWindow = SoundRecording::kRate / 200; // 5 ms
constexpr int kHop = SoundRecording::kRate / 1000;   // 1 ms

QString pactl(const QString& address, const QStringList& args, int* code)
{
    QProcess p;
    p.start("pactl", QStringList{"-s", address} + args);
    if (!p.waitForFinished(5000))
        p.kill();
    *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}
}

double steadyMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

SoundServer* SoundServer::instance()
{
    static std::unique_ptr<SoundServer> server;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<SoundServer> s(new SoundServer);
        if (s->useRunning() || s->start())
            server = std::move(s);
        // The test binary ends without tearing its statics down: the server goes with the
        // application object, or its children would hold the test's output open.
        qAddPostRoutine([] { server.reset(); });
    }
    return server.get();
}

bool SoundServer::useRunning()
{
    const QString address = qEnvironmentVariable("PULSE_SERVER");
    if (address.isEmpty())
        return false;
    int code = -1;
    const QString sinks = pactl(address, {"list", "short", "sinks"}, &code);
    if (code != 0 || !sinks.contains("\tnull\t"))
        return false;
    m_address = address;
    return true;
}

bool SoundServer::start()
{
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty() || !m_dir.isValid())
        return false;
    const QString socket = m_dir.filePath("pulse.sock");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_dir.path());
    env.insert("XDG_RUNTIME_DIR", m_dir.path());
    env.remove("PULSE_SERVER");
    m_daemon.setProcessEnvironment(env);
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.setStandardOutputFile(m_dir.filePath("pulseaudio.log"));
    m_daemon.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--system=no", "-L",
                                  "module-null-sink sink_name=null", "-L",
                                  "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!m_daemon.waitForStarted(5000))
        return false;
    m_address = "unix:" + socket;
    int code = -1;
    if (waitFor([&] { return m_daemon.state() != QProcess::Running || (pactl(m_address, {"info"}, &code), code == 0); }) && code == 0)
        return true;
    m_daemon.kill();
    m_daemon.waitForFinished();
    return false;
}

SoundServer::~SoundServer()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(3000))
            m_daemon.kill();
    }
}

SoundRecording::SoundRecording(const SoundServer& server)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const QByteArray address = server.address().toLocal8Bit();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        // A small latency: the monitor hands over its samples as they are played.
        execlp("parec", "parec", "-s", address.constData(), "-d", "null.monitor", "--raw", "--format=s16le", "--rate=44100",
               "--channels=1", "--latency-msec=10", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    m_pid = pid;
    m_reader = std::thread([this, fd = fds[0]] { read(fd); });
    // Wait for the first samples, so that nothing played from here on is missed.
    waitFor([&] {
        std::lock_guard<std::mutex> g(m_lock);
        return m_samples.size() > size_t(kRate / 10);
    }, 5000);
}

void SoundRecording::read(int fd)
{
    int16_t buffer[1024];
    while (!m_stop) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const double now = steadyMs();
        std::lock_guard<std::mutex> g(m_lock);
        m_samples.insert(m_samples.end(), buffer, buffer + n / 2);
        m_chunks.emplace_back(m_samples.size(), now);
    }
    close(fd);
}

void SoundRecording::stop()
{
    if (m_pid <= 0)
        return;
    // What was just played reaches the monitor: a tenth of a second more of the stream, however
    // late the recorder delivers it (never more than two seconds' wait).
    size_t wanted = 0;
    {
        std::lock_guard<std::mutex> g(m_lock);
        wanted = m_samples.size() + size_t(kRate / 10);
    }
    waitFor([&] {
        std::lock_guard<std::mutex> g(m_lock);
        return m_samples.size() >= wanted;
    }, 2000);
    m_stop = true;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    if (m_reader.joinable())
        m_reader.join();
    m_pid = -1;
}

SoundRecording::~SoundRecording() { stop(); }

double SoundRecording::sampleMs(size_t index) const
{
    const auto chunk = std::upper_bound(m_chunks.begin(), m_chunks.end(), index,
                                        [](size_t i, const std::pair<size_t, double>& c) { return i < c.first; });
    if (chunk == m_chunks.end())
        return m_chunks.empty() ? 0 : m_chunks.back().second;
    // A chunk read late says the sample came later than it did; the chunks soon after it, read
    // on time, say better. No chunk says earlier than the truth.
    double best = 1e300;
    for (auto c = chunk; c != m_chunks.end() && c - chunk < 50; ++c)
        best = std::min(best, c->second - double(c->first - index) * 1000.0 / kRate);
    return best;
}

bool SoundRecording::waitForToneEnd(double frequency, double afterMs, int timeoutMs) const
{
    return waitFor([&] {
        double lastMs = 0;
        {
            std::lock_guard<std::mutex> g(m_lock);
            if (!m_chunks.empty())
                lastMs = m_chunks.back().second;
        }
        for (const Span& span : heard(frequency))
            if (span.startMs >= afterMs - 20 && span.endMs < lastMs - 30)
                return true;
        return false;
    }, timeoutMs);
}

QVector<SoundRecording::Span> SoundRecording::heard(double frequency) const
{
    std::lock_guard<std::mutex> g(m_lock);
    QVector<Span> spans;
    const double coeff = 2 * std::cos(2 * M_PI * frequency / kRate);
    // Half the tone's amplitude: a window is "on" when the tone covers about half of it.
    const double threshold = 0.45 * kToneAmplitude * 32768;
    bool on = false;
    size_t start = 0, last = 0;
    // Lengths are counted in samples; only the start is put on the clock.
    auto span = [this](size_t a, size_t b) { return Span{sampleMs(a), sampleMs(a) + double(b - a) * 1000.0 / kRate}; };
    QVector<std::pair<size_t, size_t>> found;
    for (size_t w = 0; w + kWindow <= m_samples.size(); w += kHop) {
        double s1 = 0, s2 = 0;
        for (int i = 0; i < kWindow; ++i) {
            const double s0 = m_samples[w + size_t(i)] + coeff * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double amplitude = 2 * std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2)) / kWindow;
        const size_t centre = w + kWindow / 2;
        if (amplitude >= threshold) {
            if (!on) {
                // A gap of a few milliseconds is one sound, not two.
                if (!found.isEmpty() && centre - found.last().second < size_t(kRate / 1000 * 15)) {
                    start = found.last().first;
                    found.removeLast();
                } else {
                    start = centre;
                }
                on = true;
            }
            last = centre;
        } else if (on) {
            found.append({start, last});
            on = false;
        }
    }
    if (on)
        found.append({start, last});
    for (const auto& f : found)
        spans.append(span(f.first, f.second));
    spans.erase(std::remove_if(spans.begin(), spans.end(), [](const Span& s) { return s.lengthMs() < 4; }), spans.end());
    return spans;
}

QByteArray toneWav(double frequency, int ms)
{
    const int rate = 44100;
    const int frames = rate * ms / 1000;
    QByteArray data;
    data.reserve(frames * 2);
    for (int i = 0; i < frames; ++i) {
        const auto v = int16_t(std::lround(kToneAmplitude * 32767 * std::sin(2 * M_PI * frequency * i / rate)));
        data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    return QByteArray("RIFF") + le32(quint32(36 + data.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate)
           + le32(rate * 2) + le16(2) + le16(16) + "data" + le32(quint32(data.size())) + data;
}

void expectSounds(const SoundRecording& recording, const QVector<ExpectedSound>& expected, const QString& report)
{
    QStringList failures, table;
    QMap<double, QVector<SoundRecording::Span>> spans;
    QMap<double, int> used;
    double previousStart = -1e300, previousEnd = -1e300;
    for (const ExpectedSound& e : expected) {
        if (!spans.contains(e.frequency))
            spans[e.frequency] = recording.heard(e.frequency);
        const QVector<SoundRecording::Span>& all = spans[e.frequency];
        int& next = used[e.frequency];
        const double from = e.chained ? previousEnd : e.clickMs;
        while (next < all.size() && from >= 0 && all[next].startMs < from - 50)
            ++next;
        // A sound cut off at once may not be heard at all: a later one is not it.
        const bool missing = next >= all.size() || (!e.whole && from >= 0 && all[next].startMs > from + 150);
        if (missing) {
            if (e.whole)
                failures << QStringLiteral("%1 was not heard").arg(e.name);
            table << QStringLiteral("%1\t%2\t-\t-").arg(e.name).arg(e.lengthMs);
            continue;
        }
        const SoundRecording::Span s = all[next++];
        const double delay = from >= 0 ? s.startMs - from : 0;
        const QString after = e.chained ? " (after the last)" : "";
        table << QStringLiteral("%1\t%2\t%3\t%4").arg(e.name).arg(e.lengthMs).arg(qRound(s.lengthMs()))
                     .arg(from >= 0 ? QString::number(qRound(delay)) + after : QStringLiteral("-"));
        if (!e.whole)
            continue;
        if (s.lengthMs() < 0.95 * e.lengthMs)
            failures << QStringLiteral("%1 was heard for %2 ms of %3").arg(e.name).arg(qRound(s.lengthMs())).arg(e.lengthMs);
        if (from >= 0 && delay > 150)
            failures << QStringLiteral("%1 started %2 ms after %3").arg(e.name).arg(qRound(delay)).arg(e.chained ? "the sound before it" : "its click");
        if (s.startMs < previousStart - 5)
            failures << QStringLiteral("%1 came before the sound expected ahead of it").arg(e.name);
        previousStart = s.startMs;
        previousEnd = s.endMs;
    }
    QFile file(QDir::temp().filePath(report));
    if (file.open(QIODevice::WriteOnly))
        file.write(("sound\tfile ms\theard ms\tafter click ms\n" + table.join('\n') + '\n').toUtf8());
    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join('\n')) << "\n" << qPrintable(table.join('\n'));
}
