// The support file of the Help menu: a zip that unzip accepts, holding the
// program's versions and settings and the newest recordings whole; and the
// menu's recording switch, which outlives the program.

#include "mainmenu.h"
#include "sessionrecorder.h"
#include "supportfile.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray unzip(const QStringList &arguments, int *exitCode)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), arguments);
    p.waitForFinished(10000);
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

} // namespace

class TestSupportFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("3.2.1"));
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("unzip is not installed: nothing of our own to read the archive with");
    }

    void archive_data()
    {
        QTest::addColumn<int>("older");  // recordings before the one being written
        QTest::addColumn<int>("packed"); // how many of all go into the file
        QTest::newRow("only the current one") << 0 << 1;
        QTest::newRow("three") << 3 << 4;
        QTest::newRow("more than kept") << 7 << SupportFile::RecordingsKept;
    }

    void archive()
    {
        QFETCH(int, older);
        QFETCH(int, packed);
        QTemporaryDir dir;
        QStringList names;
        QList<QByteArray> contents;
        for (int i = 0; i < older; ++i) {
            const QString name = QStringLiteral("2021030%1-101010.000-QVRemote-SN%2.qvrec").arg(i + 1).arg(100 + i);
            QByteArray data(1000 * (i + 1), char('a' + i));
            data += QByteArray::number(i * 7919); // not all alike: deflate has work to do
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data);
            names << name;
            contents << data;
        }
        SessionRecorder::Settings settings;
        settings.directory = dir.path();
        SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("3.2.1"), settings);
        recorder.begin(QStringLiteral("tcp"), {{QStringLiteral("host"), QStringLiteral("10.9.8.7")}});
        recorder.record(SessionRecorder::Direction::Out, SessionRecorder::Channel::Frame, QByteArray(261, '\x01'));
        names << QFileInfo(recorder.currentPath()).fileName();
        QFile current(recorder.currentPath());
        QVERIFY(current.open(QIODevice::ReadOnly));
        contents << current.readAll();

        const QString zip = dir.filePath(QStringLiteral("support.zip"));
        QCOMPARE(SupportFile::write(zip, recorder), QString());
        int code = -1;
        unzip({QStringLiteral("-tq"), zip}, &code);
        QCOMPARE(code, 0); // every member's CRC and size check out
        const QStringList members = QString::fromUtf8(unzip({QStringLiteral("-Z1"), zip}, &code)).split(u'\n', Qt::SkipEmptyParts);
        QStringList expected{QStringLiteral("about.txt")};
        for (qsizetype i = names.size() - packed; i < names.size(); ++i)
            expected << QStringLiteral("sessions/") + names.at(i);
        QCOMPARE(members, expected);
        for (qsizetype i = names.size() - packed; i < names.size(); ++i)
            QCOMPARE(unzip({QStringLiteral("-p"), zip, QStringLiteral("sessions/") + names.at(i)}, &code), contents.at(i));
        const QString about = QString::fromUtf8(unzip({QStringLiteral("-p"), zip, QStringLiteral("about.txt")}, &code));
        QVERIFY2(about.contains(QLatin1String("program: tst_supportfile 3.2.1")), qPrintable(about));
        QVERIFY2(about.contains(QStringLiteral("recording: on, cap 200 MB, folder ") + dir.path()), qPrintable(about));
        QVERIFY2(about.contains(QLatin1String("Qt: 6.")), qPrintable(about));
    }

    // The switch is the recorder's from the next connection on, and stays
    // off for the next start.
    void recordSwitch()
    {
        QTemporaryDir dir;
        SessionRecorder::Settings().save(QCoreApplication::applicationName()); // what an earlier run left
        SessionRecorder::Settings settings = SessionRecorder::Settings::load(QCoreApplication::applicationName());
        settings.directory = dir.path();
        SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("1"), settings);
        MainMenu menu;
        auto *about = menu.findChild<QMenu *>(QStringLiteral("mAbout"));
        auto *record = menu.findChild<QAction *>(QStringLiteral("aRecord"));
        auto *open = menu.findChild<QAction *>(QStringLiteral("aOpenRecordings"));
        auto *save = menu.findChild<QAction *>(QStringLiteral("aSaveSupport"));
        QVERIFY(about && record && open && save);
        QVERIFY(about->actions().contains(open) && about->actions().contains(save));
        QVERIFY(!record->isEnabled() && !save->isEnabled());
        menu.setRecorder(&recorder);
        QVERIFY(record->isChecked() && save->isEnabled() && open->isEnabled());
        record->trigger();
        QVERIFY(!recorder.settings().enabled);
        QVERIFY(!SessionRecorder::Settings::load(QCoreApplication::applicationName()).enabled);
        recorder.begin(QStringLiteral("tcp"), {});
        QVERIFY(!recorder.isRecording());
        record->trigger();
        QVERIFY(SessionRecorder::Settings::load(QCoreApplication::applicationName()).enabled);
        recorder.begin(QStringLiteral("tcp"), {});
        QVERIFY(recorder.isRecording());
    }
};

QTEST_MAIN(TestSupportFile)
#include "tst_supportfile.moc"
