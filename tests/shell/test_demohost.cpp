// The demo host run headless, as a person without a display would run it.
#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

class DemoHostTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // The host's exit code (-1 when it crashed or hung) and what it printed.
    std::pair<int, QString> runHost(const QStringList& arguments) {
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(ZQ5DEMO_PATH), arguments);
        if (!host.waitForFinished(120000))
            host.kill();
        host.waitForFinished();
        return {host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1,
                QString::fromLocal8Bit(host.readAllStandardOutput())};
    }

private slots:
    void headlessRunsSaveAScreenshotAndPrintTheCompanysRows() {
        const QString database = dir.filePath(u"data/demo.db"_s), shots = dir.filePath(u"shots"_s);
        const auto [exitCode, output] = runHost({u"--database"_s, database, u"--screenshot-dir"_s, shots});
        QVERIFY2(exitCode == 0, qPrintable(output));
        QVERIFY(output.split(u'\n').contains(u"3 | RB3 | Medical | 15/06/2026 | Anita Rao | Yes"_s));
        QVERIFY(output.contains(u"| RB6 |"_s) && !output.contains(u"RC1"_s));
        QVERIFY(QImage(shots + u"/FrmMaster.png"_s).width() > 300);
        // The same file through the SQLite3 ODBC driver, as a host's connection string names it.
        const auto [odbcExit, odbc] = runHost({u"--connection"_s, u"Driver=SQLite3;Database="_s + database,
                                               u"--company"_s, u"2"_s, u"--process-date"_s, u"2026-12-31"_s,
                                               u"--screenshot-dir"_s, shots});
        QVERIFY2(odbcExit == 0, qPrintable(odbc));
        QVERIFY(odbc.contains(u"7 | RC1 | Telephone | 08/08/2026 | Rahul Verma | No"_s) && !odbc.contains(u"RB1"_s));
    }

    void badOptionsAreRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("date not ISO") << QStringList{u"--process-date"_s, u"31/12/2026"_s};
        QTest::newRow("company out of range") << QStringList{u"--company"_s, u"40000"_s};
        QTest::newRow("database and connection") << QStringList{u"--database"_s, u"a"_s, u"--connection"_s, u"DSN=x"_s};
    }
    void badOptionsAreRefused() {
        QFETCH(QStringList, arguments);
        QCOMPARE(runHost(arguments).first, 2);
    }
};

QTEST_MAIN(DemoHostTest)
#include "test_demohost.moc"
