// The built programs on a Wayland desktop with no X server: a private headless
// weston. With no platform chosen the program goes to the compositor that
// answers, and its window's app id is its menu entry's id, so the desktop
// shows the entry's name and icon. The program's side of the conversation is
// read from libwayland's own log (WAYLAND_DEBUG=1).
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class Wayland : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;  // XDG_RUNTIME_DIR of the compositor and the programs
    QProcess weston;
    const QString socket = QStringLiteral("wayland-forms-test");

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.remove(QStringLiteral("DISPLAY"));
        weston.setProcessEnvironment(environment);
        weston.start(QStringLiteral(WESTON), { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + socket,
                                              QStringLiteral("--idle-time=0"), QStringLiteral("--no-config") });
        QVERIFY(weston.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath(socket)), 30000);
    }
    void cleanupTestCase()
    {
        weston.terminate();
        weston.waitForFinished(30000);
    }

    void appIdIsTheMenuEntrys_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("appId");
        QTest::newRow("chase") << "chase" << DESKTOP_PREFIX "chase";
        QTest::newRow("ΩΡΑ") << "ΩΡΑ" << DESKTOP_PREFIX "ora";
    }
    // Only the compositor answers: the program opens its window there, as a
    // top-level surface whose app id is its menu entry's.
    void appIdIsTheMenuEntrys()
    {
        QFETCH(QString, executable);
        QFETCH(QString, appId);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_SOCKET" })
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
        environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(BIN_DIR "/") + executable, QStringList());
        QVERIFY(program.waitForStarted());
        static const QRegularExpression appIdSet(QStringLiteral("xdg_toplevel@\\d+\\.set_app_id\\(\"([^\"]*)\"\\)"));
        QString log, set;
        const bool seen = QTest::qWaitFor([&] {
            log += QString::fromLocal8Bit(program.readAllStandardError());
            const QRegularExpressionMatch match = appIdSet.match(log);
            set = match.captured(1);
            return match.hasMatch() || program.state() == QProcess::NotRunning;
        }, 30000);
        program.terminate();
        program.waitForFinished(30000);
        QVERIFY2(seen && !set.isEmpty(), qPrintable(QStringLiteral("no app id set; the program's log ends:\n") + log.right(2000)));
        QCOMPARE(set, appId);
    }
};

QTEST_GUILESS_MAIN(Wayland)
#include "test_wayland.moc"
