// Every program of the suite prints the project's version and its help, and
// needs no display for either: a terminal over ssh, the manual pages made at
// build time from --help, a package check in a container.

#include "qvversion.h"
#include "testpaths.h"

#include <QProcess>
#include <QTest>

class TestPrograms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsAndEnds_data();
    void printsAndEnds();
};

void TestPrograms::printsAndEnds_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("exactOut"); // the whole of stdout, when given
    QTest::addColumn<QString>("helpWord"); // else a word stdout must hold

    const QString version = QStringLiteral(QV_VERSION);
    QTest::newRow("QVRemote --version") << QVREMOTE_PATH << QStringList{"--version"}
                                        << "QVRemote " + version + "\n" << "";
    QTest::newRow("QVRemote -v") << QVREMOTE_PATH << QStringList{"-v"} << "QVRemote " + version + "\n" << "";
    QTest::newRow("QVRemote --help") << QVREMOTE_PATH << QStringList{"--help"} << "" << "--no-record";
    QTest::newRow("QVRemote -dev --help") << QVREMOTE_PATH << QStringList{"-dev", "--help"} << "" << "--connect";
    QTest::newRow("QVUpdater --version") << QVUPDATER_PATH << QStringList{"--version"}
                                         << "QVUpdater " + version + "\n" << "";
    QTest::newRow("QVUpdater -v") << QVUPDATER_PATH << QStringList{"-v"} << "QVUpdater " + version + "\n" << "";
    QTest::newRow("QVUpdater --help") << QVUPDATER_PATH << QStringList{"--help"} << "" << "--list-ports";
    QTest::newRow("qvsim --version") << QVSIM_PATH << QStringList{"--version"} << "qvsim " + version + "\n" << "";
    QTest::newRow("qvsim --help") << QVSIM_PATH << QStringList{"--help"} << "" << "--fault-ids";
    QTest::newRow("qvctl --version") << QVCTL_PATH << QStringList{"--version"} << "qvctl " + version + "\n" << "";
    QTest::newRow("qvctl --help") << QVCTL_PATH << QStringList{"--help"} << "" << "download NAME";
}

void TestPrograms::printsAndEnds()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, exactOut);
    QFETCH(QString, helpWord);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    QVERIFY2(process.waitForFinished(30000), qPrintable(program));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(err));
    if (!exactOut.isEmpty())
        QCOMPARE(out, exactOut);
    else
        QVERIFY2(out.contains(helpWord), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestPrograms)
#include "tst_programs.moc"
