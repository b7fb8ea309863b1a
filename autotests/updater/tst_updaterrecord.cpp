// QVUpdater's link records a combined update against qvsim; qvsim plays the
// recording back as the tester, and the same update succeeds against it with
// every request found in the recording.

#include "sessionfile.h"
#include "sessionrecorder.h"
#include "updaterfixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestUpdaterRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordAndReplay_data()
    {
        QTest::addColumn<bool>("withFiles");
        QTest::addColumn<QString>("speed");
        QTest::newRow("with files, replayed at once") << true << "0";
        QTest::newRow("images only, replayed at the recorded pace") << false << "1";
    }

    void recordAndReplay()
    {
        QFETCH(bool, withFiles);
        QFETCH(QString, speed);
        QTemporaryDir sessions;
        SessionRecorder::Settings settings;
        settings.directory = sessions.path();
        SessionRecorder recorder(QStringLiteral("QVUpdater"), QStringLiteral("1.4.9"), settings);

        QList<UpdateFiles::Entry> files;
        if (withFiles)
            files = {{"boot.cfg", UpdateFiles::pattern(300, 6)}, {"logo.bmp", UpdateFiles::pattern(700, 7)}};
        const QByteArray image = UpdateFiles::combined(UpdateFiles::pattern(3000 + 5, 8), UpdateFiles::pattern(2000 + 9, 9), files);
        QString path;
        {
            UpdaterFixture f({"--serial", "3456"});
            f.updater.link().setRecorder(&recorder);
            QString why;
            QVERIFY2(f.connect(&why), qPrintable(why));
            QCOMPARE(f.updater.updateCombinedFile(f.writeFile("all.qvup", image)), int(UpdateLink::NoError));
            f.updater.disconnectDevice();
            QVERIFY(!recorder.isRecording());
            const QStringList made = SessionRecorder::recordings(sessions.path());
            QCOMPARE(made.size(), 1);
            path = made.first();
        }
        QVERIFY2(path.endsWith(QLatin1String("-QVUpdater-SN3456.qvrec")), qPrintable(path));
        QString error;
        const auto recording = SessionFile::Recording::read(path, &error);
        QVERIFY2(recording, qPrintable(error));
        QCOMPARE(recording->trailingBytes, 0);
        QCOMPARE(recording->field(QStringLiteral("cpu")), QStringLiteral("0.27.4"));
        int requests = 0;
        int replies = 0;
        for (const SessionFile::Record &r : recording->records) {
            if (r.isFrame()) {
                QCOMPARE(r.bytes.size(), 263);
                QCOMPARE(r.bytes.at(0), r.direction == SessionFile::Direction::Out ? '@' : '$');
                (r.direction == SessionFile::Direction::Out ? requests : replies)++;
            }
        }
        QCOMPARE(replies, requests);
        QVERIFY(requests > 30);

        // No --updater: the recording says whose it is.
        UpdaterFixture replay({"--replay", path, "--speed", speed});
        QString why;
        QVERIFY2(replay.connect(&why), qPrintable(why));
        QCOMPARE(replay.updater.link().serialNumber(), quint16(3456));
        QCOMPARE(replay.updater.updateCombinedFile(replay.writeFile("all.qvup", image)), int(UpdateLink::NoError));
        replay.updater.disconnectDevice();
        QVERIFY(replay.sim.stop());
        static const QRegularExpression counts(
            QStringLiteral("qvsim: replay: matched exactly (\\d+), loosely (\\d+), not found (\\d+)"));
        const QRegularExpressionMatch m = counts.match(QString::fromLocal8Bit(replay.sim.output()));
        QVERIFY2(m.hasMatch(), replay.sim.output().constData());
        QCOMPARE(m.captured(1).toInt(), requests);
        QCOMPARE(m.captured(2).toInt(), 0);
        QCOMPARE(m.captured(3).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestUpdaterRecord)
#include "tst_updaterrecord.moc"
