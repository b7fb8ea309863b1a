// The tests' field tables against the block layouts: a configuration made of
// a distinct valid value in every field goes JSON -> bytes -> JSON unchanged,
// writes exactly the bits the layout names and keeps every other bit as the
// block held it; what a table refuses it names with its path and range.

#include "fieldtable.h"
#include "testfields.h"

#include "blocksizes.h"
#include "conversions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

using namespace FieldTable;
using TestFields::Test;

namespace {

// Bits a write must leave as the block held them: reserved and not-edited
// bytes, and fields that are shown but not set.
struct Kept
{
    int offset;
    int count = 1;
    quint8 mask = 0xFF;
};

QByteArray keptMask(int size, const QList<Kept> &kept)
{
    QByteArray mask(size, '\0');
    for (const Kept &k : kept) {
        for (int i = k.offset; i < k.offset + k.count; ++i)
            mask[i] = char(quint8(mask.at(i)) | k.mask);
    }
    return mask;
}

// A valid value for every settable field, each as different from the others
// as its range allows.
QJsonValue sample(const Node &n, int &k)
{
    const int seed = ++k;
    switch (n.type) {
    case Type::Flag: return seed % 2 == 0;
    case Type::Ip:
    case Type::IpWire: return QStringLiteral("10.%1.%2.%3").arg(seed).arg(seed * 7 % 256).arg(200 - seed);
    case Type::Mac: return QStringLiteral("02:%1:3c:4d:%2:6f").arg(seed, 2, 16, QLatin1Char('0')).arg(255 - seed, 2, 16, QLatin1Char('0'));
    case Type::Text: return QStringLiteral("host%1.test").arg(seed);
    case Type::HexWord: return QStringLiteral("%1").arg(0x9E3779B9u * quint32(seed), 8, 16, QLatin1Char('0'));
    case Type::TosValue: return QList<int>{1, 2, 4, 8}.at(seed % 4);
    case Type::Dscp: return QList<int>{10, 12, 14, 18, 20, 22, 26, 28, 30, 34, 36, 38, 8, 16, 24, 32, 40, 48, 56, 46}.at(seed % 20);
    default: break;
    }
    if (n.key.endsWith(QLatin1String("Count")))
        return n.max; // every tag in use, so that all of them are shown
    const quint64 span = quint64(n.max - n.min) + 1;
    return double(quint64(n.min) + (quint64(seed) * 2654435761u) % span);
}

QJsonObject sampleObject(const Table &table, int &k);

QJsonValue sampleNode(const Node &n, int &k)
{
    switch (n.kind) {
    case Node::Kind::Object: return sampleObject(n.children, k);
    case Node::Kind::Array: {
        QJsonArray a;
        for (std::size_t i = 0; i < n.count; ++i) {
            if (n.children.size() == 1 && n.children.front().key.isEmpty())
                a << sample(n.children.front(), k);
            else
                a << sampleObject(n.children, k);
        }
        return a;
    }
    default: return sample(n, k);
    }
}

QJsonObject sampleObject(const Table &table, int &k)
{
    QJsonObject o;
    for (const Node &n : table) {
        const bool settable = n.kind == Node::Kind::Object || n.kind == Node::Kind::Array
            || (n.kind == Node::Kind::Field && n.settable());
        if (settable)
            o.insert(n.key, sampleNode(n, k));
    }
    return o;
}

// An address as the tables print it: "10.1.2.3" reads "010.001.002.003".
QString canonicalIp(const QJsonValue &v)
{
    return Conv::ipToText(Conv::textToIp(v.toString()));
}

// Every value of wanted is in got, at the same place.
bool contains(const QJsonValue &got, const QJsonValue &wanted, const QString &path, QString *where)
{
    if (wanted.isObject()) {
        const QJsonObject w = wanted.toObject();
        for (auto it = w.begin(); it != w.end(); ++it) {
            if (!contains(got.toObject().value(it.key()), it.value(), path + u'.' + it.key(), where))
                return false;
        }
        return true;
    }
    if (wanted.isArray()) {
        const QJsonArray w = wanted.toArray();
        const QJsonArray g = got.toArray();
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (i >= g.size() || !contains(g.at(i), w.at(i), path + QStringLiteral("[%1]").arg(i), where))
                return i < g.size() || (*where = path + QStringLiteral(" too short"), false);
        }
        return true;
    }
    const bool same = wanted.isString() && got.isString()
        ? wanted.toString().compare(got.toString(), Qt::CaseInsensitive) == 0 || canonicalIp(wanted) == got.toString()
        : got == wanted;
    if (!same)
        *where = QStringLiteral("%1: %2, wanted %3")
                     .arg(path, QString::fromUtf8(QJsonDocument(QJsonArray{got}).toJson(QJsonDocument::Compact)),
                          QString::fromUtf8(QJsonDocument(QJsonArray{wanted}).toJson(QJsonDocument::Compact)));
    return same;
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray b(size, '\0');
    QRandomGenerator random(seed);
    for (char &c : b)
        c = char(random.bounded(256));
    return b;
}

quint8 *bytes(QByteArray &b)
{
    return reinterpret_cast<quint8 *>(b.data());
}

} // namespace

Q_DECLARE_METATYPE(Test)

class TestFieldTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void refused_data();
    void refused();
};

void TestFieldTables::roundTrip_data()
{
    QTest::addColumn<Test>("test");
    QTest::addColumn<QByteArray>("kept");

    QList<Kept> rfc{{0, 4}, {16, 1, 0x01}, {22, 6}, {38, 2}, {57, 3}, {67}, {106, 2}};
    for (int slot = 0; slot < 8; ++slot)
        rfc << Kept{74 + 4 * slot + 1};
    QList<Kept> multi{{4, 4}};
    for (int s = 0; s < 10; ++s)
        multi << QList<Kept>{{8 + 32 * s + 1}, {8 + 32 * s + 5}, {8 + 32 * s + 8, 4}, {8 + 32 * s + 24, 1, 0x01}};

    QTest::newRow("traffic") << Test::Traffic
                             << keptMask(40, {{0}, {6, 2}, {12, 2}, {14, 2}, {16, 4}, {32, 1, 0x01}});
    QTest::newRow("rfc2544") << Test::Rfc2544 << keptMask(108, rfc);
    QTest::newRow("multistream") << Test::Multistream << keptMask(328, multi);
    QTest::newRow("jitter") << Test::Jitter << keptMask(36, {{10, 6}, {28, 1, 0x01}, {34, 2}});
    QTest::newRow("bert") << Test::Bert << keptMask(20, {{1}, {7}, {16, 4}});
    QTest::newRow("loopback") << Test::Loopback << keptMask(40, {{0}, {3}, {13, 1, 0x01}, {17, 3}, {39}});
    QTest::newRow("ping") << Test::Ping << keptMask(8, {{4, 2}});
    QTest::newRow("trace") << Test::Trace << keptMask(8, {{4, 2}});
    QTest::newRow("dns") << Test::Dns << keptMask(33, {});
    QTest::newRow("interface") << Test::Interface
                               << keptMask(56, {{20, 2}, {23}, {31, 1, 0x10}, {33, 1, 0x10}, {35, 1, 0x10}, {37, 3},
                                                {42, 1, 0x80}, {46, 1, 0x80}, {50, 1, 0x80}, {52, 4}});
    QTest::newRow("oam") << Test::Oam << keptMask(56, {{0, 52}, {53, 3}});
    QTest::newRow("statistics") << Test::Statistics << keptMask(1, {});
}

void TestFieldTables::roundTrip()
{
    QFETCH(Test, test);
    QFETCH(QByteArray, kept);
    const Table &table = TestFields::config(test);
    int k = 0;
    const QJsonObject asked = sampleObject(table, k);

    // The same configuration written over two blocks whose every bit differs.
    QByteArray a = noise(int(kept.size()), 7);
    QByteArray b = a;
    for (char &c : b)
        c = char(~c);
    const QByteArray before = a;
    QString error;
    QVERIFY2(fromJson(table, asked, bytes(a), &error), qPrintable(error));
    QVERIFY2(fromJson(table, asked, bytes(b), &error), qPrintable(error));

    for (int i = 0; i < kept.size(); ++i) {
        const quint8 keep = quint8(kept.at(i));
        const auto at = [i](const QByteArray &x) { return quint8(x.at(i)); };
        QVERIFY2(((at(a) ^ at(b)) & quint8(~keep)) == 0, qPrintable(QStringLiteral("byte %1 not written").arg(i)));
        QVERIFY2(((at(a) ^ at(before)) & keep) == 0, qPrintable(QStringLiteral("byte %1 not kept").arg(i)));
    }

    QString where;
    const QByteArray read = a;
    QVERIFY2(contains(toJson(table, reinterpret_cast<const quint8 *>(read.constData()), Source{bytes(a), nullptr, {}}),
                      asked, name(test), &where),
             qPrintable(where));
}

// What a script cannot set: the key and what it may be are named.
void TestFieldTables::refused_data()
{
    QTest::addColumn<Test>("test");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown key") << Test::Traffic << QByteArray(R"({"speed": 5})")
                                 << R"("speed" is not a key of this configuration)";
    QTest::newRow("unknown nested key") << Test::Traffic << QByteArray(R"({"header": {"vlan": 5}})")
                                        << R"("header.vlan" is not a key of this configuration)";
    QTest::newRow("frame size too small") << Test::Traffic << QByteArray(R"({"frameSize": 63})")
                                          << R"("frameSize" must be a whole number from 64 to 9600 bytes)";
    QTest::newRow("not a number") << Test::Bert << QByteArray(R"({"rate": "10"})")
                                  << R"("rate" must be a whole number from 1 to 9999)";
    QTest::newRow("fraction") << Test::Jitter << QByteArray(R"({"threshold": 2.5})")
                              << R"("threshold" must be a whole number from 1 to 1000 ms)";
    QTest::newRow("shown, not set") << Test::Traffic << QByteArray(R"({"margin": 10})")
                                    << R"("margin" cannot be set)";
    QTest::newRow("dscp not a code") << Test::Rfc2544 << QByteArray(R"({"header": {"dscp": 11}})")
                                     << R"("header.dscp" must be one of 0, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40, 46, 48, 56)";
    QTest::newRow("tos two bits") << Test::Loopback << QByteArray(R"({"tos": 3})")
                                  << R"("tos" must be one of 0, 1, 2, 4, 8)";
    QTest::newRow("bad address") << Test::Ping << QByteArray(R"({"ipDestination": "10.0.0.256"})")
                                 << R"("ipDestination" must be an IPv4 address (192.168.0.1))";
    QTest::newRow("stream out of range") << Test::Multistream << QByteArray(R"({"streams": [{}, {"rate": 0}]})")
                                         << R"("streams[1].rate" must be a whole number from 1 to 9999)";
    QTest::newRow("eleven streams") << Test::Multistream << QByteArray(R"({"streams": [{},{},{},{},{},{},{},{},{},{},{}]})")
                                    << R"("streams" has at most 10 elements)";
    QTest::newRow("host too long") << Test::Dns << QByteArray(R"({"host": "a-host-name-of-21-char"})")
                                   << R"("host" must be a text of up to 20 characters)";
    QTest::newRow("flag as number") << Test::Statistics << QByteArray(R"({"autoReset": 1})")
                                    << R"("autoReset" must be true or false)";
    QTest::newRow("user load") << Test::Rfc2544 << QByteArray(R"({"latency": {"userLoads": [100, 101]}})")
                               << R"("latency.userLoads[1]" must be a whole number from 1 to 100 %)";
}

void TestFieldTables::refused()
{
    QFETCH(Test, test);
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QByteArray block(BlockSize::MultiConfig, '\0');
    QString why;
    QVERIFY(!fromJson(TestFields::config(test), QJsonDocument::fromJson(json).object(), bytes(block), &why));
    QCOMPARE(why, error);
}

QTEST_GUILESS_MAIN(TestFieldTables)
#include "tst_fieldtables.moc"
