// Session recordings on disc: what the recorder writes reads back, a record
// cut short at the end is recognised, the file is named by its serial once
// known, and the folder is kept under its cap.

#include "crc8.h"
#include "sessionfile.h"
#include "sessionrecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Direction = SessionFile::Direction;
using Channel = SessionFile::Channel;

QByteArray frame(char start, quint8 id, char fill)
{
    QByteArray f(263, fill);
    f[0] = start;
    f[1] = char(id);
    return f;
}

struct Written
{
    Direction direction;
    Channel channel;
    QByteArray bytes;
};

// What the tests record: a request, its reply, free text, and a text longer
// than one record holds.
const QList<Written> &script()
{
    static const QList<Written> s = {
        {Direction::Out, Channel::Frame, frame('@', 0, '\x11')},
        {Direction::In, Channel::Frame, frame('$', 0, '\x22')},
        {Direction::In, Channel::Text, QByteArrayLiteral("boot 1.5\r\n")},
        {Direction::Out, Channel::Frame, QByteArray(261, '\x3D')},
        {Direction::In, Channel::Text, QByteArray(SessionFile::MaxPayload + 10, 'x')},
    };
    return s;
}

SessionRecorder::Settings settingsIn(const QString &dir, qint64 capBytes = 1LL << 40)
{
    SessionRecorder::Settings s;
    s.directory = dir;
    s.capBytes = capBytes;
    return s;
}

} // namespace

class TestSessionFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip()
    {
        QTemporaryDir dir;
        SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("9.8.7"), settingsIn(dir.path()));
        recorder.begin(QStringLiteral("serial"), {{QStringLiteral("port"), QStringLiteral("/dev/ttyX9")}});
        QVERIFY(recorder.isRecording());
        for (const Written &w : script())
            recorder.record(w.direction, w.channel, w.bytes);
        recorder.addInfo({{QStringLiteral("model"), QStringLiteral("ZORT-QVB")}, {QStringLiteral("serial"), QStringLiteral("4321")}});
        recorder.record(Direction::In, Channel::Frame, frame('$', 61, '\x44')); // after the rename
        const QString path = recorder.currentPath();
        recorder.end();

        QVERIFY2(QFileInfo(path).fileName().endsWith(QLatin1String("-QVRemote-SN4321.qvrec")), qPrintable(path));
        QCOMPARE(SessionRecorder::recordings(dir.path()), QStringList{path});
        QString error;
        const auto r = SessionFile::Recording::read(path, &error);
        QVERIFY2(r, qPrintable(error));
        QCOMPARE(r->version, SessionFile::Version);
        QVERIFY(qAbs(r->startUtcMs - QDateTime::currentMSecsSinceEpoch()) < 60000);
        QCOMPARE(r->field(QStringLiteral("program")), QStringLiteral("QVRemote"));
        QCOMPARE(r->field(QStringLiteral("version")), QStringLiteral("9.8.7"));
        QCOMPARE(r->field(QStringLiteral("transport")), QStringLiteral("serial"));
        QCOMPARE(r->field(QStringLiteral("port")), QStringLiteral("/dev/ttyX9"));
        QCOMPARE(r->field(QStringLiteral("model")), QStringLiteral("ZORT-QVB"));
        QCOMPARE(r->field(QStringLiteral("serial")), QStringLiteral("4321"));
        QCOMPARE(r->trailingBytes, 0);

        // The long text went as two records; then the info and the last frame.
        QCOMPARE(r->records.size(), script().size() + 3);
        QByteArray longText;
        for (qsizetype i = 0; i < script().size() - 1; ++i) {
            QCOMPARE(r->records.at(i).direction, script().at(i).direction);
            QCOMPARE(r->records.at(i).channel, script().at(i).channel);
            QCOMPARE(r->records.at(i).bytes, script().at(i).bytes);
        }
        longText = r->records.at(4).bytes + r->records.at(5).bytes;
        QCOMPARE(longText, script().last().bytes);
        QCOMPARE(r->records.at(6).channel, Channel::Info);
        QCOMPARE(r->records.at(7).id(), 61);
        QCOMPARE(r->records.at(3).id(), 0x3D); // a TCP frame starts with its ID
        qint64 last = -1;
        for (const SessionFile::Record &rec : r->records) {
            QVERIFY(rec.timeUs >= last);
            last = rec.timeUs;
        }
        QVERIFY(last < 10 * 1000 * 1000);
    }

    // A program killed while writing leaves a record cut short; a system
    // that loses power may leave zeros or garbage where the record was.
    void tornEnd_data()
    {
        QTest::addColumn<int>("cut");     // bytes of the last record kept (-1: all)
        QTest::addColumn<QByteArray>("tail"); // what follows instead
        QTest::addColumn<int>("spoil");   // a byte flipped, counted back from the end (0: none)
        QTest::addColumn<int>("records");
        QTest::newRow("whole") << -1 << QByteArray() << 0 << 3;
        QTest::newRow("length only") << 1 << QByteArray() << 0 << 2;
        QTest::newRow("header, no payload") << 11 << QByteArray() << 0 << 2;
        QTest::newRow("payload half") << 140 << QByteArray() << 0 << 2;
        QTest::newRow("all but the check byte") << 274 << QByteArray() << 0 << 2;
        QTest::newRow("check byte wrong") << -1 << QByteArray() << 1 << 2;
        QTest::newRow("payload byte wrong") << -1 << QByteArray() << 100 << 2;
        QTest::newRow("zeros instead") << 0 << QByteArray(300, '\0') << 0 << 2;
        QTest::newRow("zeros after a whole one") << -1 << QByteArray(64, '\0') << 0 << 3;
        // A sound record of a kind no version-1 writer makes: another format.
        QTest::newRow("unknown kind") << -1 << QByteArray("unknown") << 0 << 3;
    }

    void tornEnd()
    {
        QFETCH(int, cut);
        QFETCH(QByteArray, tail);
        QFETCH(int, spoil);
        QFETCH(int, records);
        QByteArray file = SessionFile::encodeHeader(1765360000123, {{QStringLiteral("program"), QStringLiteral("QVRemote")}});
        SessionFile::appendRecord(file, 10, Direction::Out, Channel::Frame, frame('@', 0, '\x5A'));
        SessionFile::appendRecord(file, 250, Direction::In, Channel::Frame, frame('$', 0, '\x6B'));
        const qsizetype wholeTwo = file.size();
        SessionFile::appendRecord(file, 999, Direction::Out, Channel::Frame, frame('@', 63, '\x7C'));
        const qsizetype lastSize = file.size() - wholeTwo;
        QCOMPARE(lastSize, 11 + 263 + 1);
        if (cut >= 0)
            file.truncate(wholeTwo + cut);
        if (tail == "unknown") {
            tail.clear();
            SessionFile::appendRecord(tail, 1200, Direction::In, Channel::Info, "x=1");
            tail[2] = char(0x83); // channel 3, from the tester
            tail[tail.size() - 1] = char(Crc8::compute(tail.constData(), tail.size() - 1) ^ 0xFF);
        }
        file += tail;
        if (spoil > 0)
            file[file.size() - spoil] = char(file.at(file.size() - spoil) ^ 0x01);

        QString error;
        const auto r = SessionFile::Recording::parse(file, &error);
        QVERIFY2(r, qPrintable(error));
        QCOMPARE(r->records.size(), records);
        QCOMPARE(r->wholeBytes, records == 3 ? wholeTwo + lastSize : wholeTwo);
        QCOMPARE(r->trailingBytes, file.size() - r->wholeBytes);
        QCOMPARE(r->records.at(1).timeUs, 250);
        QCOMPARE(r->records.at(1).bytes, frame('$', 0, '\x6B'));
    }

    void notARecording_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("error");
        QByteArray newer = SessionFile::encodeHeader(0, {});
        newer[4] = char(SessionFile::Version + 1);
        QByteArray shortHeader = SessionFile::encodeHeader(0, {{QStringLiteral("program"), QStringLiteral("QVRemote")}});
        shortHeader.chop(3);
        QTest::newRow("empty") << QByteArray() << "not a session recording";
        QTest::newRow("other file") << QByteArray("%PDF-1.4 and more bytes") << "not a session recording";
        QTest::newRow("newer format") << newer << "version 2";
        QTest::newRow("header cut") << shortHeader << "cut short";
    }

    void notARecording()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, error);
        QString why;
        QVERIFY(!SessionFile::Recording::parse(data, &why));
        QVERIFY2(why.contains(error), qPrintable(why));
    }

    // Older recordings go first; the one being written never does.
    void cap_data()
    {
        QTest::addColumn<QList<int>>("sizes"); // kB of the older recordings, oldest first
        QTest::addColumn<int>("capKB");
        QTest::addColumn<int>("kept");         // how many of the newest older ones stay
        QTest::newRow("under the cap") << QList<int>{3, 5, 7} << 20 << 3;
        QTest::newRow("exactly the cap") << QList<int>{4, 6} << 10 << 2;
        QTest::newRow("oldest two go") << QList<int>{9, 8, 2, 3} << 6 << 2;
        QTest::newRow("all go") << QList<int>{50, 60} << 10 << 0;
    }

    void cap()
    {
        QFETCH(QList<int>, sizes);
        QFETCH(int, capKB);
        QFETCH(int, kept);
        QTemporaryDir dir;
        QStringList older;
        for (int i = 0; i < sizes.size(); ++i) {
            const QString path = QDir(dir.path()).filePath(QStringLiteral("2020010%1-120000.000-QVRemote.qvrec").arg(i + 1));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(sizes.at(i) * 1000, 'r'));
            older << path;
        }
        QFile other(QDir(dir.path()).filePath(QStringLiteral("notes.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(QByteArray(100000, 'n'));
        other.close();

        SessionRecorder recorder(QStringLiteral("QVUpdater"), QStringLiteral("1"), settingsIn(dir.path(), capKB * 1000));
        recorder.begin(QStringLiteral("serial"), {});
        QVERIFY(recorder.isRecording());
        QStringList expected = older.mid(older.size() - kept);
        expected << recorder.currentPath();
        QCOMPARE(SessionRecorder::recordings(dir.path()), expected);
        QVERIFY(other.exists()); // not a recording: never counted, never removed
    }

    // Recording is on by default; off, a connection leaves no file.
    void onOff_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void onOff()
    {
        QFETCH(bool, enabled);
        QTemporaryDir dir;
        QCOMPARE(SessionRecorder::Settings().enabled, true);
        QCOMPARE(SessionRecorder::Settings().capBytes, 200LL * 1000 * 1000);
        SessionRecorder::Settings s = settingsIn(dir.path() + QStringLiteral("/sessions"));
        s.enabled = enabled;
        SessionRecorder recorder(QStringLiteral("QVRemote"), QStringLiteral("1"), s);
        recorder.begin(QStringLiteral("tcp"), {});
        recorder.record(Direction::Out, Channel::Frame, QByteArray(261, '\x01'));
        QCOMPARE(recorder.isRecording(), enabled);
        QCOMPARE(SessionRecorder::recordings(s.directory).size(), enabled ? 1 : 0);
        recorder.end();
        QVERIFY(!recorder.isRecording());
    }
};

QTEST_GUILESS_MAIN(TestSessionFile)
#include "tst_sessionfile.moc"
