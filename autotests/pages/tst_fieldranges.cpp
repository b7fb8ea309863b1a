// A script may set what the page lets a user enter, and nothing else: each
// settable key of the field tables takes the bounds of its page widget and
// refuses one step beyond them. The ranges are written twice (the pages'
// forms, the tables), so drift between the two shows here.

#include "bertform.h"
#include "ifsetform.h"
#include "jitterform.h"
#include "lbform.h"
#include "multiform.h"
#include "rfcform.h"
#include "tcpipform.h"
#include "trafficform.h"

#include "testfields.h"
#include "zorqv.h"

#include <QComboBox>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include <array>
#include <functional>
#include <memory>

using TestFields::Test;

namespace {

// "frameSizes[2].frameSize" = v as the partial JSON a set takes.
QJsonObject nested(const QString &path, const QJsonValue &v)
{
    static const QRegularExpression part(QStringLiteral("^([A-Za-z]+)(?:\\[(\\d+)\\])?(?:\\.(.*))?$"));
    const QRegularExpressionMatch m = part.match(path);
    Q_ASSERT(m.hasMatch());
    const QJsonValue inner = m.captured(3).isEmpty() ? v : QJsonValue(nested(m.captured(3), v));
    if (m.captured(2).isEmpty())
        return {{m.captured(1), inner}};
    // The elements before it: empty records, or the same plain value.
    QJsonArray array;
    for (int i = 0; i < m.captured(2).toInt(); ++i)
        array.append(m.captured(3).isEmpty() ? inner : QJsonValue(QJsonObject()));
    array.append(inner);
    return {{m.captured(1), array}};
}

std::unique_ptr<QWidget> page(Test test, Zorqv *device)
{
    switch (test) {
    case Test::Traffic: return std::make_unique<TrafficForm>(device);
    case Test::Rfc2544: return std::make_unique<RfcForm>(device);
    case Test::Multistream: return std::make_unique<MultiForm>(device);
    case Test::Jitter: return std::make_unique<JitterForm>(device);
    case Test::Bert: return std::make_unique<BertForm>(device);
    case Test::Loopback: return std::make_unique<LbForm>(device);
    case Test::Ping:
    case Test::Trace: return std::make_unique<TCPIPForm>(device);
    case Test::Interface: return std::make_unique<IfsetForm>(device);
    default: return {};
    }
}

} // namespace

class TestFieldRanges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bounds_data();
    void bounds();
};

void TestFieldRanges::bounds_data()
{
    QTest::addColumn<Test>("test");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("widget");

    const auto row = [](Test t, const char *key, const char *widget) {
        QTest::addRow("%s %s", qPrintable(TestFields::name(t)), key) << t << QString::fromLatin1(key) << QString::fromLatin1(widget);
    };
    // Rates are read with the units at frames per second, where the widget
    // is widest; a rate above 100 % is a check across fields.
    for (Test t : {Test::Traffic, Test::Jitter, Test::Bert}) {
        row(t, "rate", "sRate");
        row(t, "duration", "tDur");
    }
    for (Test t : {Test::Traffic, Test::Jitter, Test::Rfc2544}) {
        row(t, "header.udpSource", "sUDPsrc");
        row(t, "header.udpDestination", "sUDPdst");
    }
    row(Test::Traffic, "frameSize", "sLen");
    row(Test::Jitter, "frameSize", "sLen");
    row(Test::Jitter, "threshold", "sThre");
    row(Test::Bert, "frameSize", "sSize");
    row(Test::Multistream, "duration", "tDur");
    row(Test::Multistream, "streams[0].rate", "sRate");
    row(Test::Multistream, "streams[0].frameSize", "sLen");
    row(Test::Multistream, "streams[0].header.udpSource", "sUDPsrc");
    row(Test::Rfc2544, "frameSizes[0].frameSize", "sf1");
    row(Test::Rfc2544, "frameSizes[7].frameSize", "sf8");
    row(Test::Rfc2544, "throughput.sample", "tThrDur");
    row(Test::Rfc2544, "throughput.startLoad", "sThrMaxrate");
    row(Test::Rfc2544, "throughput.endLoad", "sThrMinrate");
    row(Test::Rfc2544, "latency.interval", "tLatDur");
    row(Test::Rfc2544, "latency.iterations", "sLatCount");
    row(Test::Rfc2544, "latency.userLoads[0]", "spinBox");
    row(Test::Rfc2544, "latency.userLoads[7]", "spinBox_8");
    row(Test::Rfc2544, "frameLoss.sample", "tFrlDur");
    row(Test::Rfc2544, "frameLoss.step", "sFrlStep");
    row(Test::Rfc2544, "frameLoss.startLoad", "sFrlMaxrate");
    row(Test::Rfc2544, "frameLoss.endLoad", "sFrlMinrate");
    row(Test::Rfc2544, "backToBack.iterations", "sBtbCount");
    row(Test::Rfc2544, "backToBack.minInterval", "sBtbMin");
    row(Test::Rfc2544, "backToBack.maxInterval", "sBtbMax");
    row(Test::Loopback, "vlan", "sVLAN");
    row(Test::Loopback, "priority", "sPrio");
    row(Test::Ping, "pause", "sPause");
    row(Test::Trace, "pause", "sDelay");
    row(Test::Interface, "vlanCount", "sVLAN");
    row(Test::Interface, "mplsCount", "sMPLS");
    row(Test::Interface, "vlans[0].pcp", "sPCP1");
    row(Test::Interface, "vlans[2].vid", "sVID3");
    row(Test::Interface, "mpls[0].qos", "sQoS1");
    row(Test::Interface, "mpls[2].ttl", "sTTL3");
}

void TestFieldRanges::bounds()
{
    QFETCH(Test, test);
    QFETCH(QString, key);
    QFETCH(QString, widget);

    Zorqv device;
    device.connected = true;
    const std::unique_ptr<QWidget> form = page(test, &device);
    QVERIFY(form);
    if (auto *units = form->findChild<QComboBox *>(QStringLiteral("cUnits")))
        units->setCurrentIndex(1);
    QWidget *w = form->findChild<QWidget *>(widget);
    QVERIFY2(w, qPrintable(widget));
    int lo = 0;
    int hi = 0;
    if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        lo = spin->minimum();
        hi = spin->maximum();
    } else if (auto *time = qobject_cast<QTimeEdit *>(w)) {
        lo = QTime(0, 0).secsTo(time->minimumTime());
        hi = QTime(0, 0).secsTo(time->maximumTime());
    } else {
        QFAIL("not a spin box or a time edit");
    }

    const FieldTable::Table &table = TestFields::config(test);
    const int size = 512;
    for (const auto &[value, accepted] : std::array<std::pair<int, bool>, 4>{{{lo, true}, {hi, true}, {lo - 1, false}, {hi + 1, false}}}) {
        QByteArray block(size, '\0');
        QString error;
        const bool ok = FieldTable::fromJson(table, nested(key, value), reinterpret_cast<quint8 *>(block.data()), &error);
        QVERIFY2(ok == accepted, qPrintable(QStringLiteral("%1 = %2 (widget %3..%4): %5")
                                                .arg(key).arg(value).arg(lo).arg(hi).arg(ok ? "accepted" : error)));
    }
}

QTEST_MAIN(TestFieldRanges)
#include "tst_fieldranges.moc"
