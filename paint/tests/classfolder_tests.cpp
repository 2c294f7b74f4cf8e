// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// A class folder as a school sets it up: owned by a group of pupils, mode 2775, each pupil a Unix
// user of their own, several computers saving into it at once. Making users needs root (CI runs
// as root); the computers are processes in their own UTS and PID namespaces.
#include "testsupport/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <grp.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Pupils of one class: a group and its users, made for the test and removed after it.
class Pupils {
public:
    Pupils(const QString& group, const QStringList& users) : m_group(group), m_users(users)
    {
        if (geteuid() != 0) {
            problem = "making pupils' users needs root";
            return;
        }
        for (const char* tool : {"useradd", "userdel", "groupadd", "groupdel", "setpriv"})
            if (QStandardPaths::findExecutable(tool).isEmpty() && QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin"}).isEmpty())
                problem = QStringLiteral("%1 is not installed").arg(tool);
        if (!problem.isEmpty())
            return;
        remove(); // left by a run that was cut short
        if (!run("groupadd", {group})) {
            problem = "groupadd failed";
            return;
        }
        for (const QString& user : users)
            if (!run("useradd", {"-M", "-U", "-G", group, "-s", "/usr/sbin/nologin", user}))
                problem = "useradd failed";
        if (const struct group* g = ::getgrnam(group.toLocal8Bit().constData()))
            gid = g->gr_gid;
    }
    ~Pupils()
    {
        if (geteuid() == 0)
            remove();
    }
    // The command line that runs a program as that pupil, with a usual umask.
    QStringList as(const QString& user, const QStringList& command) const
    {
        return QStringList{"-c", "umask 022 && exec setpriv --reuid=\"$0\" --regid=\"$0\" --init-groups \"$@\"", user} + command;
    }
    QString problem;
    gid_t gid = 0;

private:
    void remove()
    {
        for (const QString& user : m_users)
            quietly("userdel", {user});
        quietly("groupdel", {m_group});
    }
    static void quietly(const QString& program, const QStringList& arguments)
    {
        QProcess p;
        p.start(program, arguments);
        p.waitForFinished(30000);
    }
    QString m_group;
    QStringList m_users;
};

// The class folder: root's, the pupils' group's, 2775; the folders above it open to all.
QString classFolder(const TestFolders& folders, const Pupils& pupils)
{
    ::chmod(QFile::encodeName(folders.root()).constData(), 0755);
    folders.mkdir("class");
    const QByteArray path = QFile::encodeName(folders.path("class"));
    if (::chown(path.constData(), 0, pupils.gid) != 0 || ::chmod(path.constData(), 02775) != 0)
        return {};
    return folders.path("class");
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

gid_t groupOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_gid : gid_t(-1);
}

// What one saver was told: the numbers saved, with the index of each save.
struct Told {
    qint64 pid = 0, ms = 0;
    QVector<QPair<int, int>> saved;
    QStringList failed;
};

Told readTold(const QByteArray& output)
{
    Told t;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w[0] == "pid" && w.size() == 2)
            t.pid = w[1].toLongLong();
        else if (w[0] == "ms" && w.size() == 2)
            t.ms = w[1].toLongLong();
        else if (w[0] == "saved" && w.size() == 3)
            t.saved.append({w[1].toInt(), w[2].toInt()});
        else if (w[0] == "failed")
            t.failed << QString::fromUtf8(line);
    }
    return t;
}

// The colour savestress gives save i of saver id.
QRgb saveColour(int id, int i) { return QColor(id * 40 + 10, i % 256, i / 256 * 8 + 100).rgb(); }

// Every painting a saver was told was saved is in the folder with its own thumbnail, and the
// folder holds nothing else.
void expectEverySaveKept(const QString& folder, const QVector<Told>& told)
{
    int paintings = 0;
    for (int id = 0; id < told.size(); ++id)
        for (const auto& [n, i] : told[id].saved) {
            const QImage painting(QStringLiteral("%1/%2.bmp").arg(folder).arg(n));
            const QImage thumb(QStringLiteral("%1/%2_.bmp").arg(folder).arg(n));
            ASSERT_EQ(painting.size(), QSize(401, 401)) << n << ".bmp, told saved to " << id;
            EXPECT_EQ(painting.pixel(200, 200), saveColour(id, i)) << n << ".bmp holds another painting";
            EXPECT_EQ(painting.pixel(400, 400), saveColour(id, i)) << n << ".bmp is not whole";
            ASSERT_EQ(thumb.size(), QSize(33, 33)) << n << "_.bmp";
            EXPECT_EQ(thumb.pixel(16, 16), saveColour(id, i)) << n << "_.bmp belongs to another painting";
            ++paintings;
        }
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_EQ(left.size(), 2 * paintings) << "left besides the paintings: "
                                          << qPrintable(left.filter(QRegularExpression("^_|\\.tmp$")).join(' '));
}
}

// The first pupil's Brushbox makes the catalog folders and copies their icons at start; the
// second pupil then saves into them.
TEST(ClassFolder, TheFirstPupilsCatalogsTakeTheNextPupilsPaintings)
{
    Pupils pupils("bbsv_class", {"bbsv_ann", "bbsv_ben"});
    if (!pupils.problem.isEmpty())
        GTEST_SKIP() << qPrintable(pupils.problem);
    TestFolders folders;
    const QString shared = classFolder(folders, pupils);
    ASSERT_FALSE(shared.isEmpty());
    folders.mkdir("gfx");
    folders.write("gfx/Mine.bmp", pictureBytes("BMP"));
    folders.mkdir("ann");
    ASSERT_EQ(::chown(QFile::encodeName(folders.path("ann")).constData(), ::getpwnam("bbsv_ann")->pw_uid, 0), 0);
    const QString gfx = folders.path("gfx/");
    folders.write("zypaint.ini", ("app=zypaint\r\n[path]\r\ngfx=" + gfx + "\r\nsnd=" + gfx + "\r\npicture=" + gfx
                                  + "\r\ncatalog=" + shared + "\r\n[catalogs]\r\nMine\t0\r\n")
                                     .toUtf8());

    // Ann's Brushbox, the real program: it is ended once it has made the catalog.
    QProcess brushbox;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("WINDIR", folders.path("ann"));
    env.insert("HOME", folders.path("ann"));
    env.remove("XDG_RUNTIME_DIR");
    brushbox.setProcessEnvironment(env);
    brushbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    brushbox.start("sh", pupils.as("bbsv_ann", {BRUSHBOX_EXE, folders.path("zypaint.ini")}));
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(shared + "/Mine.bmp") && brushbox.state() != QProcess::NotRunning && waited.elapsed() < 30000)
        QThread::msleep(20);
    brushbox.kill();
    brushbox.waitForFinished();
    ASSERT_TRUE(QFileInfo(shared + "/Mine").isDir()) << "Brushbox made no catalog folder";
    ASSERT_TRUE(QFileInfo::exists(shared + "/Mine.bmp")) << "Brushbox copied no icon";
    EXPECT_EQ(modeOf(shared + "/Mine") & 07070, mode_t(02070)) << "the catalog folder is not the group's";
    EXPECT_EQ(groupOf(shared + "/Mine"), pupils.gid);
    EXPECT_EQ(modeOf(shared + "/Mine.bmp") & 0070, mode_t(0060));

    QProcess saver;
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start("sh", pupils.as("bbsv_ben", {SAVESTRESS_EXE, shared + "/Mine", "1", "2"}));
    ASSERT_TRUE(saver.waitForFinished(60000));
    const Told told = readTold(saver.readAllStandardOutput());
    EXPECT_EQ(saver.exitCode(), 0) << qPrintable(told.failed.join('\n'));
    ASSERT_EQ(told.saved.size(), 2);
    expectEverySaveKept(shared + "/Mine", {Told{}, told});
    for (const char* file : {"0.bmp", "0_.bmp"})
        EXPECT_EQ(modeOf(shared + "/Mine/" + file) & 0060, mode_t(0060)) << file << " is not the group's";
}

// Two computers whose savers have the same process ID (1, each in its own PID namespace) and
// their own host names save 300 paintings into one class folder at the same time.
TEST(ClassFolder, TwoComputersWithTheSamePidLoseNoPaintingOfEachOther)
{
    Pupils pupils("bbsv_room", {"bbsv_cid", "bbsv_dot"});
    if (!pupils.problem.isEmpty())
        GTEST_SKIP() << qPrintable(pupils.problem);
    if (!run("unshare", {"-u", "-p", "-f", "--mount-proc", "true"}))
        GTEST_SKIP() << "UTS and PID namespaces cannot be made here (unshare -u -p -f failed)";
    TestFolders folders;
    const QString shared = classFolder(folders, pupils);
    ASSERT_FALSE(shared.isEmpty());
    // The catalog folder and its icon as the first pupil's Brushbox makes them.
    folders.mkdir("class/Room");
    folders.write("class/Room.bmp", pictureBytes("BMP"));
    for (const char* path : {"class/Room", "class/Room.bmp"}) {
        const QByteArray native = QFile::encodeName(folders.path(path));
        ASSERT_EQ(::chown(native.constData(), ::getpwnam("bbsv_cid")->pw_uid, pupils.gid), 0);
        ::chmod(native.constData(), QFileInfo(folders.path(path)).isDir() ? 02775 : 0664);
    }
    const QString folder = shared + "/Room";
    constexpr int kSaves = 150;
    const QStringList computers{"pc-a", "pc-b"}, users{"bbsv_cid", "bbsv_dot"};
    std::vector<std::unique_ptr<QProcess>> running;
    QElapsedTimer clock;
    clock.start();
    for (int id = 0; id < 2; ++id) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start("unshare", QStringList{"-u", "-p", "-f", "--mount-proc", "sh", "-c", "hostname \"$0\" && exec sh \"$@\"",
                                        computers[id]}
                                + pupils.as(users[id], {SAVESTRESS_EXE, folder, QString::number(id), QString::number(kSaves)}));
        running.push_back(std::move(p));
    }
    QVector<Told> told;
    for (auto& p : running) {
        ASSERT_TRUE(p->waitForFinished(300000));
        told << readTold(p->readAllStandardOutput());
    }
    const qint64 wall = clock.elapsed();
    ASSERT_EQ(told[0].pid, told[1].pid) << "the two computers' savers were to have the same process ID";
    const int saved = int(told[0].saved.size() + told[1].saved.size());
    const int failed = int(told[0].failed.size() + told[1].failed.size());
    qInfo("two computers, PID %lld each, %d saves: %d told saved, %d told failed; %lld ms and %lld ms for their saves, "
          "%lld ms in all (%.1f ms a save)",
          told[0].pid, 2 * kSaves, saved, failed, told[0].ms, told[1].ms, wall, double(wall) / (2 * kSaves));
    EXPECT_EQ(saved + failed, 2 * kSaves) << "a saver did not tell every save";
    EXPECT_LE(failed * 100, 2 * kSaves) << qPrintable((told[0].failed + told[1].failed).join('\n'));
    expectEverySaveKept(folder, told);
}
