// Result-file downloads: the read requests, the job handed to the report
// writer, and everything that must hand nothing on: refusals, sizes no
// result file has, a lost link, stray and superseded replies, unsafe names.

#include "enginepeer.h"
#include "progpack.h"
#include "reportfolder.h"
#include "testcodes.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kResultSize = 16368;

class RecordingSink : public ReportSink
{
public:
    void startReport(const ReportJob &job) override { jobs << job; }
    QList<ReportJob> jobs;
};

QByteArray fileBytes(int size, int seed)
{
    QByteArray file(size, '\0');
    for (int i = 0; i < size; ++i)
        file[i] = char(i * 13 + i / 256 + seed);
    return file;
}

// The tester's side of a download: files by name, the one opened last
// served from its start; sizes may be announced falsely and reads refused.
struct FileServer
{
    QMap<QByteArray, QByteArray> files;
    QByteArray open;
    int served = 0;
    int reads = 0;
    std::optional<quint32> announce;   // instead of the real size
    int refuseReadsAfter = -1;         // answer "ER" from this read on
    int silentAfterReads = -1;         // no answer from this read on
    std::function<void(int read)> onRead; // before the reply to read number n

    QByteArray answer(const QByteArray &req)
    {
        const quint8 id = Packet::id(req);
        if (id == PROGPACK_FILE_OPEN) {
            const QByteArray name(req.constData() + 2);
            if (!files.contains(name))
                return EnginePeer::reply(id, "ER");
            open = files.value(name);
            served = 0;
            QByteArray p("OK\0\0\0\0", 6);
            Bytes::put32(p.data(), 2, announce.value_or(quint32(open.size())));
            return EnginePeer::reply(id, p);
        }
        if (id == PROGPACK_FILE_READ) {
            const int read = reads++;
            if (onRead)
                onRead(read);
            if (read == silentAfterReads)
                return {};
            if (read == refuseReadsAfter)
                return EnginePeer::reply(id, "ER");
            const int n = int(Bytes::get32(req.constData(), 2));
            const QByteArray piece = open.mid(served, n);
            served += int(piece.size());
            return EnginePeer::reply(id, QByteArray("OK") + piece + QByteArray(256 - piece.size(), 'z'));
        }
        return EnginePeer::echo(req);
    }
};

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

    struct Rig
    {
        Zorqv device;
        OldProto proto{&device};
        EnginePeer peer{&proto};
        RecordingSink sink;
        FileServer server;
        QSignalSpy failed{&device, &Zorqv::download_failed};
        Rig()
        {
            device.setReportSink(&sink);
            device.linkType = 2;
            device.reportDir = QStringLiteral("/r");
            peer.responder = [this](const QByteArray &req) { return server.answer(req); };
        }
        void download(const QString &name)
        {
            device.fileName = name;
            proto.start_test(requestCode(TestNo::FileTransfer, 1));
        }
        bool settled()
        {
            return QTest::qWaitFor([this] { return !proto.awaitingReply() && proto.queuedPackets() == 0; });
        }
        QList<int> readSizes() const
        {
            QList<int> sizes;
            for (const QByteArray &p : peer.sent)
                if (Packet::id(p) == PROGPACK_FILE_READ)
                    sizes << int(Bytes::get32(p.constData(), 2));
            return sizes;
        }
    };

private Q_SLOTS:
    void download_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("asks");
        QTest::newRow("result file") << kResultSize << QList<int>(63, 256) + QList<int>{240};
        QTest::newRow("whole pages") << 64 * 256 << QList<int>(64, 256);
        QTest::newRow("whole pages and 44") << 64 * 256 + 44 << QList<int>(64, 256) + QList<int>{44};
    }
    void download()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, asks);
        Rig rig;
        const QByteArray file = fileBytes(size, 7);
        rig.server.files.insert("$RES07", file);
        rig.device.reportMask = 0x120;
        rig.device.serialNumber = 777;
        rig.device.linkSpeed[0] = 3;
        rig.device.linkSpeed[1] = 2;
        rig.download(QStringLiteral("$RES07"));
        // What the page changes meanwhile (another folder, other reports, a
        // settings file saved) does not touch the download asked for.
        rig.device.reportDir = QStringLiteral("/elsewhere");
        rig.device.reportMask = 0x800;
        QTRY_COMPARE(rig.sink.jobs.size(), 1);
        QVERIFY(rig.settled());

        const QList<int> ids = rig.peer.sentIds();
        QCOMPARE(ids.mid(0, 2), (QList<int>{PROGPACK_TRANSFER, PROGPACK_FILE_OPEN}));
        QCOMPARE(ids.last(), int(PROGPACK_TRANSFER));
        QCOMPARE(int(rig.peer.sent.last().at(2)), 0); // transfer mode left
        QCOMPARE(rig.readSizes(), asks);

        const ReportJob &job = rig.sink.jobs.first();
        QCOMPARE(job.data, file);
        QCOMPARE(job.directory, QStringLiteral("/r/RES07"));
        QCOMPARE(job.mask, 0x120u);
        QCOMPARE(job.serialNumber, quint16(777));
        QCOMPARE(job.linkSpeedA, quint8(3));
        QCOMPARE(job.linkSpeedB, quint8(2));
        QVERIFY(!job.singlePort);
        QCOMPARE(rig.device.fileName, QStringLiteral("RES07"));
        QVERIFY(rig.failed.isEmpty());
    }

    // Sizes outside [16368, 16 MiB] are refused before anything is read.
    void announcedSize_data()
    {
        QTest::addColumn<quint32>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << 0u << false;
        QTest::newRow("one byte short") << quint32(kResultSize - 1) << false;
        QTest::newRow("result file") << quint32(kResultSize) << true;
        QTest::newRow("16 MiB") << 16777216u << true;
        QTest::newRow("16 MiB + 1") << 16777217u << false;
        QTest::newRow("2^31") << 0x80000000u << false;
        QTest::newRow("2^32 - 1") << 0xFFFFFFFFu << false;
    }
    void announcedSize()
    {
        QFETCH(quint32, size);
        QFETCH(bool, accepted);
        Rig rig;
        rig.server.files.insert("$R", fileBytes(kResultSize, 1));
        rig.server.announce = size;
        rig.server.silentAfterReads = 0;
        rig.download(QStringLiteral("$R"));
        QTRY_COMPARE(rig.peer.sent.size(), 3);
        const QByteArray third = rig.peer.sent.at(2);
        if (accepted) {
            QCOMPARE(int(Packet::id(third)), int(PROGPACK_FILE_READ));
            QVERIFY(rig.failed.isEmpty());
        } else {
            QCOMPARE(int(Packet::id(third)), int(PROGPACK_TRANSFER));
            QCOMPARE(int(third.at(2)), 0);
            QCOMPARE(rig.failed.size(), 1);
            QVERIFY(rig.failed.first().at(0).toString().contains(QLatin1String("$R")));
        }
        QVERIFY(rig.sink.jobs.isEmpty());
    }

    // A download that fails hands nothing on and keeps no partial data.
    void failure_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("refuseRead");
        QTest::addColumn<int>("silentRead");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("says");
        QTest::newRow("no such file") << "$GONE" << -1 << -1 << QList<int>{71, 42, 71} << "did not send";
        QTest::newRow("read refused") << "$R" << 2 << -1 << QList<int>{71, 42, 44, 44, 44, 71} << "did not send";
        QTest::newRow("link lost") << "$R" << -1 << 3 << QList<int>{71, 42, 44, 44, 44, 44} << "connection";
    }
    void failure()
    {
        QFETCH(QString, name);
        QFETCH(int, refuseRead);
        QFETCH(int, silentRead);
        QFETCH(QList<int>, ids);
        QFETCH(QString, says);
        Rig rig;
        rig.server.files.insert("$R", fileBytes(kResultSize, 2));
        rig.server.refuseReadsAfter = refuseRead;
        rig.server.silentAfterReads = silentRead;
        rig.download(name);
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        if (silentRead >= 0) {
            QVERIFY(!rig.device.fileData.isEmpty()); // part of it had come
            rig.proto.sock_disc();
        }
        QVERIFY(rig.settled());
        QCOMPARE(rig.peer.sentIds(), ids);
        QCOMPARE(rig.failed.size(), 1);
        QVERIFY2(rig.failed.first().at(0).toString().contains(says), qPrintable(rig.failed.first().at(0).toString()));
        QVERIFY(rig.sink.jobs.isEmpty());
        QVERIFY(rig.device.fileData.isEmpty());
    }

    // Replies that belong to no download change nothing and start nothing.
    void strayReplies_data()
    {
        QTest::addColumn<bool>("afterDownload");
        QTest::addColumn<int>("id");
        QTest::newRow("read, none asked") << false << int(PROGPACK_FILE_READ);
        QTest::newRow("open, none asked") << false << int(PROGPACK_FILE_OPEN);
        QTest::newRow("read after a finished download") << true << int(PROGPACK_FILE_READ);
        QTest::newRow("open after a finished download") << true << int(PROGPACK_FILE_OPEN);
    }
    void strayReplies()
    {
        QFETCH(bool, afterDownload);
        QFETCH(int, id);
        Rig rig;
        rig.server.files.insert("$R", fileBytes(kResultSize, 3));
        if (afterDownload) {
            rig.download(QStringLiteral("$R"));
            QTRY_COMPARE(rig.sink.jobs.size(), 1);
            QVERIFY(rig.settled());
        }
        const qsizetype sent = rig.peer.sent.size();
        const QByteArray data = rig.device.fileData;
        QByteArray payload("OK\0\0\0\0", 6);
        Bytes::put32(payload.data(), 2, quint32(kResultSize));
        rig.proto.pckt_rcv(EnginePeer::reply(quint8(id), payload + QByteArray(250, 'x')));
        QTest::qWait(20);
        QCOMPARE(rig.peer.sent.size(), sent);
        QCOMPARE(rig.sink.jobs.size(), afterDownload ? 1 : 0);
        QCOMPARE(rig.device.fileData, data);
        QVERIFY(rig.failed.isEmpty());
    }

    // A second request while a download runs supersedes it: one job, of the
    // file asked for last, and no failure to report.
    void superseded_data()
    {
        QTest::addColumn<int>("atRead");
        QTest::newRow("while opening") << -1;
        QTest::newRow("while reading") << 5;
    }
    void superseded()
    {
        QFETCH(int, atRead);
        Rig rig;
        const QByteArray second = fileBytes(kResultSize + 512, 9);
        rig.server.files.insert("$A", fileBytes(kResultSize, 4));
        rig.server.files.insert("$B", second);
        const auto again = [&rig] {
            rig.device.reportMask = 0x10;
            rig.download(QStringLiteral("$B"));
        };
        rig.server.onRead = [&](int read) {
            if (read == atRead)
                QMetaObject::invokeMethod(&rig.proto, again, Qt::QueuedConnection);
        };
        rig.device.reportMask = 0x20;
        rig.download(QStringLiteral("$A"));
        if (atRead < 0)
            again();
        QTRY_COMPARE(rig.sink.jobs.size(), 1);
        QVERIFY(rig.settled());
        QTest::qWait(20);
        QCOMPARE(rig.sink.jobs.size(), 1);
        QCOMPARE(rig.sink.jobs.first().data, second);
        QCOMPARE(rig.sink.jobs.first().directory, QStringLiteral("/r/B"));
        QCOMPARE(rig.sink.jobs.first().mask, 0x10u);
        QVERIFY(rig.failed.isEmpty());
    }

    void noFolderNoDownload()
    {
        Rig rig;
        rig.device.reportDir.clear();
        rig.download(QStringLiteral("$R"));
        QCOMPARE(rig.failed.size(), 1);
        QVERIFY(rig.peer.sent.isEmpty());
    }

    // A name from the tester becomes one safe folder name.
    void folderName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("dollar removed") << "$RES1" << "RES1";
        QTest::newRow("inner blank kept") << "$SET A" << "SET A";
        QTest::newRow("parent steps") << "$../../etc" << "etc";
        QTest::newRow("only dots") << "$.." << "report";
        QTest::newRow("separators") << "$a/b\\c" << "abc";
        QTest::newRow("empty") << "$" << "report";
        QTest::newRow("drive colon") << "$C:x:y" << "Cxy";
        QTest::newRow("control characters") << QString("$ab\x01\x1f\x7f" "c\t") << "abc";
        QTest::newRow("trailing dots and blanks") << "$run. . ." << "run";
        QTest::newRow("CON") << "$CON" << "report";
        QTest::newRow("con with extension") << "$con.txt" << "report";
        QTest::newRow("nul, trailing dot") << "$NUL." << "report";
        QTest::newRow("COM1") << "$COM1" << "report";
        QTest::newRow("lpt9.log") << "$lpt9.log" << "report";
        QTest::newRow("AUX, PRN") << "$PRN" << "report";
        QTest::newRow("longer names are fine") << "$CONSOLE" << "CONSOLE";
        QTest::newRow("COM10 is fine") << "$COM10" << "COM10";
    }
    void folderName()
    {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QCOMPARE(ReportFolder::name(name), folder);
    }

    void folderPath_data()
    {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/r" << "/r/RES1";
        QTest::newRow("trailing slash") << "/r/" << "/r/RES1";
        QTest::newRow("untidy") << "/a/./b//" << "/a/b/RES1";
        QTest::newRow("root") << "/" << "/RES1";
        QTest::newRow("no folder") << "" << "";
    }
    void folderPath()
    {
        QFETCH(QString, dir);
        QFETCH(QString, path);
        QCOMPARE(ReportFolder::path(dir, QStringLiteral("$RES1")), path);
    }

    // A link planted under the folder's name would take the reports out.
    void plantedLinkRefused()
    {
        QTemporaryDir chosen;
        QTemporaryDir elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), chosen.filePath(QStringLiteral("RES1"))));
        QCOMPARE(ReportFolder::path(chosen.path(), QStringLiteral("$RES1")), QString());
        QCOMPARE(ReportFolder::path(chosen.path(), QStringLiteral("$RES2")),
                 QDir::cleanPath(chosen.filePath(QStringLiteral("RES2"))));
    }
};

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
