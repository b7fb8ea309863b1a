#include "conversions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

// The text forms shared by the pages, the report writer and qvsim.
class TestConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void macToText_data();
    void macToText();
    void textToMac_data();
    void textToMac();
    void ipToText_data();
    void ipToText();
    void textToIp_data();
    void textToIp();
    void durationText_data();
    void durationText();
    void padDecimals_data();
    void padDecimals();
    void hexBytes_data();
    void hexBytes();
    void tosMapping_data();
    void tosMapping();
    void tosUnknownValue_data();
    void tosUnknownValue();
    void tosByte_data();
    void tosByte();
    void dscpTableMatchesItsNames();
    void dscpMapping_data();
    void dscpMapping();
    void dscpDefaultIsTranslated();
};

static QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

void TestConversions::macToText_data()
{
    QTest::addColumn<QByteArray>("mac");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero padded lower case") << hex("001a2b3c4d5e") << "00:1a:2b:3c:4d:5e";
    QTest::newRow("all ones") << hex("ffffffffffff") << "ff:ff:ff:ff:ff:ff";
    QTest::newRow("port B default") << hex("000607080910") << "00:06:07:08:09:10";
}

void TestConversions::macToText()
{
    QFETCH(QByteArray, mac);
    QFETCH(QString, text);
    QCOMPARE(Conv::macToText(reinterpret_cast<const quint8 *>(mac.constData())), text);
}

void TestConversions::textToMac_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    // The field starts as a1 a2 a3 a4 a5 a6; an empty text must leave it.
    QTest::newRow("colons") << "00:1a:2b:3c:4d:5e" << hex("001a2b3c4d5e");
    QTest::newRow("dashes, upper case") << "00-1A-2B-3C-4D-5E" << hex("001a2b3c4d5e");
    QTest::newRow("mixed separators") << "01:02-03:04-05:06" << hex("010203040506");
    QTest::newRow("empty leaves field") << "" << hex("a1a2a3a4a5a6");
    QTest::newRow("short text fills the front") << "00:1A:2B" << hex("001a2ba4a5a6");
    QTest::newRow("extra parts ignored") << "01:02:03:04:05:06:07" << hex("010203040506");
}

void TestConversions::textToMac()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    quint8 mac[7] = {0xa1, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0x77};
    Conv::textToMac(text, mac);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(mac), 6), expected);
    QCOMPARE(mac[6], quint8(0x77)); // never past the field
}

void TestConversions::ipToText_data()
{
    QTest::addColumn<quint32>("ip");
    QTest::addColumn<bool>("lsbFirst");
    QTest::addColumn<QString>("text");
    QTest::newRow("msb first") << 0xC0A8010Au << false << "192.168.001.010";
    QTest::newRow("zero") << 0u << false << "000.000.000.000";
    QTest::newRow("broadcast") << 0xFFFFFFFFu << false << "255.255.255.255";
    QTest::newRow("transmission order") << 0x0A01A8C0u << true << "192.168.001.010";
    QTest::newRow("transmission order, asymmetric") << 0x04030201u << true << "001.002.003.004";
}

void TestConversions::ipToText()
{
    QFETCH(quint32, ip);
    QFETCH(bool, lsbFirst);
    QFETCH(QString, text);
    QCOMPARE(Conv::ipToText(ip, lsbFirst), text);
}

void TestConversions::textToIp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("ip");
    QTest::newRow("plain") << "10.0.0.1" << 0x0A000001u;
    // Leading zeros are decimal, not octal: 010 is ten.
    QTest::newRow("zero padded") << "192.168.001.010" << 0xC0A8010Au;
    QTest::newRow("default traffic address") << "192.168.0.200" << 0xC0A800C8u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("top octet") << "255.0.0.0" << 0xFF000000u;
}

void TestConversions::textToIp()
{
    QFETCH(QString, text);
    QFETCH(quint32, ip);
    QCOMPARE(Conv::textToIp(text), ip);
}

void TestConversions::durationText_data()
{
    QTest::addColumn<quint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << quint64(0) << "00:00:00";
    QTest::newRow("seconds") << quint64(59) << "00:00:59";
    QTest::newRow("a minute") << quint64(60) << "00:01:00";
    QTest::newRow("mixed") << quint64(3 * 3600 + 25 * 60 + 7) << "03:25:07";
    QTest::newRow("last second of a day") << quint64(86399) << "23:59:59";
    QTest::newRow("hundred hours") << quint64(360000) << "100:00:00";
}

void TestConversions::durationText()
{
    QFETCH(quint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(Conv::durationText(seconds), text);
}

void TestConversions::padDecimals_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("integer") << "5" << "5.000";
    QTest::newRow("one decimal") << "2.5" << "2.500";
    QTest::newRow("two decimals") << "1.25" << "1.250";
    QTest::newRow("three decimals") << "8.125" << "8.125";
    QTest::newRow("longer fraction kept") << "0.0625" << "0.0625";
    QTest::newRow("trailing point") << "7." << "7.000";
}

void TestConversions::padDecimals()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(Conv::padDecimals(in), out);
}

void TestConversions::hexBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("first byte first") << hex("deadbeef") << "de ad be ef ";
    QTest::newRow("zero padded") << hex("00010a0f") << "00 01 0a 0f ";
}

void TestConversions::hexBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Conv::hexBytes(reinterpret_cast<const quint8 *>(bytes.constData())), text);
}

void TestConversions::tosMapping_data()
{
    QTest::addColumn<quint8>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("item");
    QTest::newRow("0") << quint8(0) << 0 << "0000";
    QTest::newRow("1") << quint8(1) << 1 << "0001";
    QTest::newRow("2") << quint8(2) << 2 << "0010";
    QTest::newRow("4") << quint8(4) << 3 << "0100";
    QTest::newRow("8") << quint8(8) << 4 << "1000";
}

void TestConversions::tosMapping()
{
    QFETCH(quint8, value);
    QFETCH(int, index);
    QFETCH(QString, item);
    QCOMPARE(Conv::tosIndex(value), index);
    QCOMPARE(Conv::tosValue(index), value);
    QCOMPARE(Conv::tosItemText(index), item);
    // The item text is the value in binary.
    QCOMPARE(item.toUInt(nullptr, 2), uint(value));
}

// A 4-bit value the combo has no item for selects the first item, so the
// combo never shows a blank and Apply writes a value it can show.
void TestConversions::tosUnknownValue_data()
{
    QTest::addColumn<quint8>("value");
    for (quint8 v : {3, 5, 6, 7, 9, 12, 15})
        QTest::addRow("value %d", v) << v;
}

void TestConversions::tosUnknownValue()
{
    QFETCH(quint8, value);
    QCOMPARE(Conv::tosIndex(value), 0);
    QCOMPARE(Conv::tosIndexOfByte(quint8((value << 1) | 0xE1)), 0);
}

void TestConversions::tosByte_data()
{
    QTest::addColumn<quint8>("old");
    QTest::addColumn<int>("tosIndex");
    QTest::addColumn<int>("precedence");
    QTest::addColumn<quint8>("expected");
    QTest::newRow("all clear") << quint8(0x00) << 0 << 0 << quint8(0x00);
    QTest::newRow("bit 0 kept") << quint8(0x01) << 0 << 0 << quint8(0x01);
    QTest::newRow("old ToS and precedence replaced") << quint8(0xFF) << 0 << 0 << quint8(0x01);
    QTest::newRow("ToS 8, precedence 7") << quint8(0x00) << 4 << 7 << quint8(0xF0);
    QTest::newRow("ToS 4, precedence 5, bit 0") << quint8(0x01) << 3 << 5 << quint8(0xA9);
    QTest::newRow("ToS 1, precedence 1") << quint8(0x00) << 1 << 1 << quint8(0x22);
    QTest::newRow("no selection writes 0") << quint8(0x1E) << -1 << -1 << quint8(0x00);
}

void TestConversions::tosByte()
{
    QFETCH(quint8, old);
    QFETCH(int, tosIndex);
    QFETCH(int, precedence);
    QFETCH(quint8, expected);
    const quint8 byte = Conv::tosByte(old, tosIndex, precedence);
    QCOMPARE(byte, expected);
    if (tosIndex >= 0) {
        QCOMPARE(Conv::tosIndexOfByte(byte), tosIndex);
        QCOMPARE(Conv::precedenceOfByte(byte), precedence);
    }
}

// The code of every item must be the 6-bit pattern its name shows.
void TestConversions::dscpTableMatchesItsNames()
{
    const QRegularExpression bits(QStringLiteral("\\( ([01]{6}) \\)$"));
    QSet<int> codes;
    for (int i = 0; i < Conv::DscpItems; ++i) {
        const QString name = QString::fromLatin1(Conv::dscpSourceName(i));
        const QRegularExpressionMatch m = bits.match(name);
        QVERIFY2(m.hasMatch(), qPrintable(name));
        QCOMPARE(uint(Conv::dscpCode(i)), m.captured(1).toUInt(nullptr, 2));
        codes.insert(Conv::dscpCode(i));
        QCOMPARE(Conv::dscpIndex(Conv::dscpCode(i)), i); // codes are unique
    }
    QCOMPARE(codes.size(), Conv::DscpItems);
    QCOMPARE(QString::fromLatin1(Conv::dscpSourceName(0)), QStringLiteral("AF11 ( 001010 )"));
    QCOMPARE(QString::fromLatin1(Conv::dscpSourceName(12)), QStringLiteral("CS1  ( 001000 )"));
    QCOMPARE(QString::fromLatin1(Conv::dscpSourceName(19)), QStringLiteral("default ( 000000 )"));
    QCOMPARE(QString::fromLatin1(Conv::dscpSourceName(20)), QStringLiteral("EF   ( 101110 )"));
}

void TestConversions::dscpMapping_data()
{
    QTest::addColumn<quint8>("dsByte");
    QTest::addColumn<int>("index");
    QTest::addColumn<quint8>("written");
    QTest::newRow("AF11") << quint8(10 << 2) << 0 << quint8(10 << 2);
    QTest::newRow("EF") << quint8(46 << 2) << 20 << quint8(46 << 2);
    QTest::newRow("CS7") << quint8(56 << 2) << 18 << quint8(56 << 2);
    QTest::newRow("default") << quint8(0) << 19 << quint8(0);
    QTest::newRow("ECN bits ignored") << quint8((34 << 2) | 3) << 9 << quint8(34 << 2);
    QTest::newRow("unknown code 1 writes 0") << quint8(1 << 2) << 19 << quint8(0);
    QTest::newRow("unknown code 63 writes 0") << quint8(0xFC) << 19 << quint8(0);
}

void TestConversions::dscpMapping()
{
    QFETCH(quint8, dsByte);
    QFETCH(int, index);
    QFETCH(quint8, written);
    QCOMPARE(Conv::dscpIndexOfByte(dsByte), index);
    QCOMPARE(Conv::dsByte(index), written);
}

namespace {
class UpperTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "HeaderSettings")
            return QString::fromLatin1(source).toUpper();
        return {};
    }
    bool isEmpty() const override { return false; }
};
} // namespace

void TestConversions::dscpDefaultIsTranslated()
{
    UpperTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(Conv::dscpName(19), QStringLiteral("DEFAULT ( 000000 )"));
    QCOMPARE(Conv::dscpName(0), QStringLiteral("AF11 ( 001010 )")); // not translatable
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(Conv::dscpName(19), QStringLiteral("default ( 000000 )"));
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
