// The demo host run headless, as a person without a display would run it.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class DemoHostTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    struct Run {
        int exitCode = -1;
        QString output;
    };

    Run runHost(const QStringList& arguments) {
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(ZQ5DEMO_PATH), arguments);
        if (!host.waitForFinished(120000)) {
            host.kill();
            host.waitForFinished();
        }
        return {host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1,
                QString::fromLocal8Bit(host.readAllStandardOutput())};
    }

private slots:
    void headlessRunSavesAScreenshotAndPrintsTheRows() {
        const QString database = dir.filePath(QStringLiteral("data/demo.db"));
        const QString shots = dir.filePath(QStringLiteral("shots"));
        const Run run = runHost({QStringLiteral("--database"), database, QStringLiteral("--screenshot-dir"), shots});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QVERIFY(QFile::exists(database));
        QVERIFY(run.output.contains(database));
        QVERIFY(run.output.contains(shots));

        const QStringList lines = run.output.split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("ID | Reimb. No. | Type | Date | Employee | Cancelled")));
        QVERIFY(lines.contains(QStringLiteral("3 | RB3 | Medical | 15/06/2026 | Anita Rao | Yes")));
        QVERIFY(run.output.contains(QStringLiteral("| RB6 |")));
        QVERIFY(!run.output.contains(QStringLiteral("RC1")));

        const QImage screenshot(shots + QStringLiteral("/FrmMaster.png"));
        QVERIFY(!screenshot.isNull());
        QVERIFY(screenshot.width() > 300 && screenshot.height() > 300);
    }

    void optionsChooseTheCompany() {
        const QString database = dir.filePath(QStringLiteral("second.db"));
        const Run run = runHost({QStringLiteral("--database"), database, QStringLiteral("--company"), QStringLiteral("2"),
                                 QStringLiteral("--process-date"), QStringLiteral("2026-12-31"),
                                 QStringLiteral("--screenshot-dir"), dir.filePath(QStringLiteral("shots2"))});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QVERIFY(run.output.contains(QStringLiteral("7 | RC1 | Telephone | 08/08/2026 | Rahul Verma | No")));
        QVERIFY(!run.output.contains(QStringLiteral("RB1")));
        // The same file through the SQLite3 ODBC driver, as a host's connection string names it.
        const Run odbc = runHost({QStringLiteral("--connection"), QStringLiteral("Driver=SQLite3;Database=") + database,
                                  QStringLiteral("--company"), QStringLiteral("2"), QStringLiteral("--process-date"),
                                  QStringLiteral("2026-12-31"), QStringLiteral("--screenshot-dir"), dir.filePath("shots3")});
        QVERIFY2(odbc.exitCode == 0, qPrintable(odbc.output));
        QCOMPARE(odbc.output.section(QStringLiteral("ID | Reimb."), 1), run.output.section(QStringLiteral("ID | Reimb."), 1));
    }

    void badOptionsAreRefused() {
        QCOMPARE(runHost({QStringLiteral("--process-date"), QStringLiteral("31/12/2026")}).exitCode, 2);
        QCOMPARE(runHost({QStringLiteral("--company"), QStringLiteral("40000")}).exitCode, 2);
        QCOMPARE(runHost({QStringLiteral("--database"), "a.db", QStringLiteral("--connection"), "DSN=x"}).exitCode, 2);
        const Run help = runHost({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.output.contains(QStringLiteral("--screenshot-dir")));
    }
};

QTEST_MAIN(DemoHostTest)
#include "test_demohost.moc"
