// The built programs on a Wayland desktop with no X server: a private headless
// weston. With no platform chosen the program goes to the compositor that
// answers, and its window's app id is its menu entry's id, so the desktop
// shows the entry's name and icon. The program's side of the conversation is
// read from libwayland's own log (WAYLAND_DEBUG=1).
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <process.h>

class Wayland : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;  // XDG_RUNTIME_DIR of the compositor and the programs
    const QString socket = QStringLiteral("wayland-forms-test");
    forms::testing::Child weston { QStringLiteral(WESTON),
                                   { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + socket,
                                     QStringLiteral("--idle-time=0"), QStringLiteral("--no-config") } };

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(weston.set("XDG_RUNTIME_DIR", runtime.path()).unset({ "DISPLAY" }).start());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath(socket)), 30000);
    }
    void cleanupTestCase() { weston.stop(); }

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
        forms::testing::Child program(QStringLiteral(BIN_DIR "/") + executable);
        program.unset({ "DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_SOCKET" }).set("XDG_RUNTIME_DIR", runtime.path());
        QVERIFY(program.set("WAYLAND_DISPLAY", socket).set("WAYLAND_DEBUG", "client").start());
        static const QRegularExpression appIdSet(QStringLiteral("xdg_toplevel@\\d+\\.set_app_id\\(\"([^\"]*)\"\\)"));
        QString log, set;
        const bool seen = QTest::qWaitFor([&] {
            log += QString::fromLocal8Bit(program.process().readAllStandardError());
            const QRegularExpressionMatch match = appIdSet.match(log);
            set = match.captured(1);
            return match.hasMatch() || program.process().state() == QProcess::NotRunning;
        }, 30000);
        program.stop();
        QVERIFY2(seen && !set.isEmpty(), qPrintable(QStringLiteral("no app id set; the program's log ends:\n") + log.right(2000)));
        QCOMPARE(set, appId);
    }
};

QTEST_GUILESS_MAIN(Wayland)
#include "test_wayland.moc"
