#include "ui/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using hl::SingleInstance;

// Starts the program itself over an empty recorded machine, with its own settings and runtime
// folders, so that instances of this test never meet a user's running copy.
class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void secondStartEndsAtOnceSilently();
    void lockOfACrashedRunDoesNotBlockTheNextStart();
    void lockInTheSameFolderIsExclusive();
    void laterStartRaisesTheRunningWindow();

private:
    void Prepare(QProcess& process, bool exitAfterFirstSection = false);
    QString LockPath() const { return m_runtime->path() + "/hardlens.lock"; }

    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_config;
};

void SingleInstanceTest::init() {
    m_runtime = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile snapshot(m_config->path() + "/machine.json");
    QVERIFY(snapshot.open(QIODevice::WriteOnly));
    snapshot.write(R"({"format": "hardlens-snapshot/1", "source": "empty"})");
}

void SingleInstanceTest::Prepare(QProcess& process, bool exitAfterFirstSection) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", m_runtime->path());
    env.insert("XDG_CONFIG_HOME", m_config->path());
    env.insert("HARDLENS_SNAPSHOT", m_config->path() + "/machine.json");
    env.remove("HARDLENS_EXIT_AFTER_FIRST_SECTION");
    if (exitAfterFirstSection) env.insert("HARDLENS_EXIT_AFTER_FIRST_SECTION", "1");
    process.setProcessEnvironment(env);
    process.setProgram(HARDLENS_EXE);
}

void SingleInstanceTest::secondStartEndsAtOnceSilently() {
    QProcess first;
    Prepare(first);
    first.start();
    QVERIFY(first.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(LockPath()); }, 10000));
    // The window listens for later starts once it exists.
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(LockPath() + ".socket"); }, 10000));

    QProcess second;
    Prepare(second, true);
    second.start();
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    // It never reached a section: nothing printed.
    QVERIFY(second.readAllStandardOutput().isEmpty());
    QCOMPARE(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(5000)) first.kill();
}

void SingleInstanceTest::lockOfACrashedRunDoesNotBlockTheNextStart() {
    QProcess crashed;
    Prepare(crashed);
    crashed.start();
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(LockPath()); }, 10000));
    crashed.kill(); // no chance to remove its lock
    QVERIFY(crashed.waitForFinished(5000));
    QVERIFY(QFile::exists(LockPath()));

    QProcess next;
    Prepare(next, true);
    next.start();
    QVERIFY(next.waitForFinished(20000));
    QCOMPARE(next.exitCode(), 0);
    QVERIFY(next.readAllStandardOutput().contains("first section shown"));
}

void SingleInstanceTest::lockInTheSameFolderIsExclusive() {
    const QString path = m_runtime->path() + "/other.lock";
    {
        SingleInstance one(path);
        QVERIFY(one.Acquired());
        SingleInstance two(path);
        QVERIFY(!two.Acquired());
    }
    SingleInstance again(path); // released with its holder
    QVERIFY(again.Acquired());
}

void SingleInstanceTest::laterStartRaisesTheRunningWindow() {
    const QString path = m_runtime->path() + "/other.lock";
    int raised = 0;
    {
        SingleInstance running(path);
        running.ListenForRaise([&] { ++raised; });
        SingleInstance later(path);
        QVERIFY(!later.Acquired());
        QVERIFY(later.AskRunningToRaise());
        QVERIFY(QTest::qWaitFor([&] { return raised == 1; }, 2000));
    }
    // With the running instance gone, nobody answers.
    SingleInstance alone(path);
    QVERIFY(alone.Acquired());
    QVERIFY(!alone.AskRunningToRaise(200));
    QCOMPARE(raised, 1);
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstance_test.moc"
