// The update files before anything reaches the tester: the layout check of
// the combined file, the RPD length rule and the 8-bit file names.

#include "combinedfile.h"
#include "cp1251.h"
#include "updater.h"

#include <QTest>
#include <QtEndian>

namespace {

QByteArray header(quint32 fpgaLength, quint32 cpuLength, quint16 count)
{
    QByteArray h(CombinedFile::kHeaderSize, '\0');
    qToLittleEndian(fpgaLength, h.data());
    qToLittleEndian(cpuLength, h.data() + 4);
    qToLittleEndian(count, h.data() + 16);
    return h;
}

QByteArray entry(quint32 size, const QByteArray &name)
{
    QByteArray e(CombinedFile::kEntrySize, '\0');
    qToLittleEndian(quint32(0xA5A5A5A5), e.data()); // not interpreted
    qToLittleEndian(size, e.data() + 4);
    e.replace(8, qMin<qsizetype>(name.size(), 24), name.left(24));
    return e;
}

} // namespace

class TestUpdateFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void combinedLayout_data();
    void combinedLayout();
    void combinedParts();
    void rpdLength_data();
    void rpdLength();
    void cp1251_data();
    void cp1251();
};

void TestUpdateFiles::combinedLayout_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("accepted");

    const QByteArray cpu(10, 'c');
    const QByteArray fpga(20, 'f');
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("header cut short") << header(0, 0, 0).left(127) << false;
    QTest::newRow("header alone") << header(0, 0, 0) << true;
    QTest::newRow("images exact") << header(20, 10, 0) + cpu + fpga << true;
    QTest::newRow("fpga image one byte short") << header(20, 10, 0) + cpu + fpga.left(19) << false;
    QTest::newRow("lengths that wrap in 32 bits")
        << header(1, 0xFFFFFFFF, 0) + QByteArray(64, 'x') << false;
    QTest::newRow("directory cut short")
        << header(0, 0, 2) + entry(0, "a") + entry(0, "b").left(31) << false;
    QTest::newRow("contents cut short")
        << header(0, 0, 2) + entry(3, "a") + entry(4, "b") + "aaa" + "bbb" << false;
    QTest::newRow("contents exact")
        << header(0, 0, 2) + entry(3, "a") + entry(4, "b") + "aaa" + "bbbb" << true;
    QTest::newRow("huge file size")
        << header(0, 0, 1) + entry(0xFFFFFFFF, "a") + "aaa" << false;
    QTest::newRow("bytes after the last file")
        << header(0, 0, 1) + entry(1, "a") + "a" + "trailer" << true;
}

void TestUpdateFiles::combinedLayout()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, accepted);
    CombinedFile update;
    QCOMPARE(update.parse(file), accepted);
    if (!accepted) {
        QVERIFY(update.files().isEmpty());
        QCOMPARE(update.cpuImage().size(), 0);
    }
}

void TestUpdateFiles::combinedParts()
{
    QByteArray cpu(1000, '\0'), fpga(777, '\0');
    for (int i = 0; i < cpu.size(); ++i)
        cpu[i] = char(i * 7);
    for (int i = 0; i < fpga.size(); ++i)
        fpga[i] = char(i * 13 + 1);
    const QByteArray longName(24, 'N'); // fills the field, no terminator
    const QByteArray file = header(fpga.size(), cpu.size(), 3) + cpu + fpga
        + entry(5, "boot.cfg") + entry(0, "empty") + entry(2, longName)
        + "12345" + "xy";

    CombinedFile update;
    QVERIFY(update.parse(file));
    QCOMPARE(update.cpuImage().toByteArray(), cpu);
    QCOMPARE(update.fpgaImage().toByteArray(), fpga);
    QCOMPARE(update.files().size(), 3);
    QCOMPARE(update.files().at(0).name, QByteArray("boot.cfg"));
    QCOMPARE(update.files().at(0).contents, QByteArray("12345"));
    QCOMPARE(update.files().at(1).name, QByteArray("empty"));
    QCOMPARE(update.files().at(1).contents, QByteArray());
    QCOMPARE(update.files().at(2).name, longName);
    QCOMPARE(update.files().at(2).contents, QByteArray("xy"));
}

void TestUpdateFiles::rpdLength_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<qint64>("length");

    const QByteArray ff(1024, char(0xFF));
    QTest::newRow("empty") << QByteArray() << qint64(0);
    QTest::newRow("all 0xFF") << ff << qint64(0);
    QTest::newRow("first byte only") << QByteArray(1, '\x12') + ff << qint64(0);
    QTest::newRow("two bytes") << QByteArray("\x12\x34") + ff << qint64(256);
    QTest::newRow("512 then 0xFF") << QByteArray(512, '\x5A') + ff << qint64(768);
    QTest::newRow("512, file ends") << QByteArray(512, '\x5A') << qint64(768);
    QTest::newRow("300, file ends") << QByteArray(300, '\x5A') << qint64(512);
    QTest::newRow("0xFF inside the data")
        << QByteArray("\x01\xFF\xFF\x02") + ff << qint64(256);
}

void TestUpdateFiles::rpdLength()
{
    QFETCH(QByteArray, image);
    QFETCH(qint64, length);
    QCOMPARE(Updater::rpdLength(image), length);
}

void TestUpdateFiles::cp1251_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("back");

    QTest::newRow("cyrillic") << QStringLiteral("Привет.txt")
                              << QByteArray::fromHex("cff0e8e2e5f22e747874")
                              << QStringLiteral("Привет.txt");
    QTest::newRow("upper half") << QStringLiteral("Ёё№€") << QByteArray::fromHex("a8b8b988")
                                << QStringLiteral("Ёё№€");
    QTest::newRow("outside the code page") << QStringLiteral("a日b") << QByteArray("a?b")
                                           << QStringLiteral("a?b");
}

void TestUpdateFiles::cp1251()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, back);
    QCOMPARE(Cp1251::encode(text), bytes);
    QCOMPARE(Cp1251::decode(bytes), back);
}

QTEST_GUILESS_MAIN(TestUpdateFiles)
#include "tst_updatefiles.moc"
