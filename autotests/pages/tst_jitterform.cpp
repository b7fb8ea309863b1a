#include "jitterform.h"
#include "pagedriver.h"

#include "jitterlayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

using namespace PageDriver;
namespace F = JitterConfigField;
namespace R = JitterResultField;

namespace {

struct Field
{
    std::size_t at;
    int size; // 1, 2 or 4
    quint32 value;
};
using Fields = QList<Field>;

// A block whose bytes all differ, with every edited field set to a value
// the widgets can show, then the row's own fields.
QByteArray configBlock(quint8 seed, const Fields &fields)
{
    JitterConfigBlock b = distinct<BlockSize::JitterConfig>(seed);
    const Fields valid = {
        {F::Length, 2, 1518u},   {F::Rate, 1, 77u},         {F::Units, 1, 0u},
        {F::Duration, 4, 3723u}, {F::Threshold, 2, 20u},    {F::IpDst, 4, 0x0A010203u},
        {F::AutoMac, 1, 0u},     {F::Priority, 1, 0u},      {F::Tos, 1, 0x00u},
        {F::Dscp, 1, 0u},        {F::UdpSrc, 2, 4001u},     {F::UdpDst, 2, 4002u},
    };
    for (const Fields &list : {valid, fields}) {
        for (const Field &f : list) {
            switch (f.size) {
            case 1: put8(b, f.at, quint8(f.value)); break;
            case 2: put16(b, f.at, quint16(f.value)); break;
            default: put32(b, f.at, f.value); break;
            }
        }
    }
    return bytes(b);
}

} // namespace

// The jitter page driven like a user: blocks arrive through cfg_rcv and
// res_rcv, widgets are found by name, Apply is checked byte by byte.
class TestJitterForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void form();
    void roundTrip_data();
    void roundTrip();
    void rateIsOneByte_data();
    void rateIsOneByte();
    void bucketLabels_data();
    void bucketLabels();
    void results_data();
    void results();
    void times_data();
    void times();

private:
    template <typename W = QWidget>
    W *w(const char *name) const { return child<W>(m_page.get(), name); }
    void deliver(quint8 proc, const QByteArray &block)
    {
        m_device->jitterConfig[proc] = fromBytes<BlockSize::JitterConfig>(block);
        m_page->cfg_rcv(requestCode(TestNo::Jitter, proc));
    }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    QString cell(const char *table, int row, int column) const
    {
        const QTableWidgetItem *item = w<QTableWidget>(table)->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList column(const char *table, int column) const
    {
        QStringList texts;
        for (int row = 0; row < w<QTableWidget>(table)->rowCount(); ++row)
            texts << cell(table, row, column);
        return texts;
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<JitterForm> m_page;
};

void TestJitterForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestJitterForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

// What the page sets up itself: the names of the result rows and the
// first bucket labels, for the initial threshold 10.
void TestJitterForm::form()
{
    QCOMPARE(w<QSpinBox>("sThre")->value(), 10);
    QCOMPARE(column("tRes", 0), (QStringList{"All", "In order", "Not in order"}));
    QCOMPARE(column("tDist", 0),
             (QStringList{"0.000 - 1.250", "1.250 - 2.500", "2.500 - 3.750", "3.750 - 5.000",
                          "5.000 - 6.250", "6.250 - 7.500", "7.500 - 8.750", "8.750 - 10.000",
                          ">=10.000"}));
    QCOMPARE(m_device->activeTest, ActiveTest::Jitter);
    switchTo(1);
    QCOMPARE(w<QGroupBox>("gJitter")->title(), QStringLiteral("Jitter test (Port B)"));

    // The tables hide their row headers; fitting them to their rows must
    // not widen them again and again.
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QTest::qWait(100);
    const int wide = w<QTableWidget>("tDist")->minimumWidth();
    QTest::qWait(100);
    QCOMPARE(w<QTableWidget>("tDist")->minimumWidth(), wide);
    QVERIFY(m_page->width() < 1600);
}

void TestJitterForm::roundTrip_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QVariantMap>("shown");

    QTest::newRow("port A, every field")
        << quint8(0) << configBlock(0x11, {})
        << QVariantMap{{"sLen", 1518}, {"sRate", 77}, {"cUnits", 0}, {"tDur", "01:02:03"},
                       {"sThre", 20}, {"lIPdst", "010.001.002.003"}, {"cMacAuto", false},
                       {"gToS", false}, {"gDSCP", false}, {"sUDPsrc", 4001}, {"sUDPdst", 4002}};
    QTest::newRow("port B, kbps 250, ToS, auto MAC")
        << quint8(1)
        << configBlock(0x5A, {{F::Units, 1, 2}, {F::Rate, 1, 250}, {F::AutoMac, 1, 1},
                              {F::Priority, 1, 1}, {F::Tos, 1, (5 << 5) | (8 << 1) | 1}})
        << QVariantMap{{"cUnits", 2}, {"sRate", 250}, {"cMacAuto", true}, {"gToS", true},
                       {"cbToS", 4}, {"cbPrec", 5}};
    QTest::newRow("DSCP EF, threshold 1000, a day less a second")
        << quint8(0)
        << configBlock(0xC3, {{F::Priority, 1, 2}, {F::Dscp, 1, 46 << 2}, {F::Threshold, 2, 1000},
                              {F::Duration, 4, 86399}})
        << QVariantMap{{"gDSCP", true}, {"cbDSCP", 20}, {"sThre", 1000}, {"tDur", "23:59:59"}};
    // Units the combo cannot show: no selection, and the byte goes back as it came.
    QTest::newRow("units 9") << quint8(1) << configBlock(0x27, {{F::Units, 1, 9}, {F::Rate, 1, 200}})
                             << QVariantMap{{"cUnits", -1}, {"sRate", 200}};
}

void TestJitterForm::roundTrip()
{
    QFETCH(quint8, port);
    QFETCH(QByteArray, config);
    QFETCH(QVariantMap, shown);
    switchTo(port);
    deliver(port, config);
    compareWidgets(m_page.get(), shown);

    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    m_device->jitterConfig[port].fill(0); // Apply writes the whole block
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x0107));
    QCOMPARE(bytes(m_device->jitterConfig[port]).toHex(' '), config.toHex(' '));
}

void TestJitterForm::rateIsOneByte_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<int>("rateByte");
    QTest::newRow("% caps at 100") << 0 << 300 << 100;
    QTest::newRow("bps 300 caps at 255, not 44") << 1 << 300 << 255;
    QTest::newRow("Mbps 9999 caps at 255") << 3 << 9999 << 255;
    QTest::newRow("kbps 255") << 2 << 255 << 255;
    QTest::newRow("kbps 1") << 2 << 1 << 1;
}

void TestJitterForm::rateIsOneByte()
{
    QFETCH(int, units);
    QFETCH(int, wanted);
    QFETCH(int, rateByte);
    deliver(0, configBlock(0x44, {}));
    w<QComboBox>("cUnits")->setCurrentIndex(units);
    w<QSpinBox>("sRate")->setValue(wanted);
    QCOMPARE(w<QSpinBox>("sRate")->value(), rateByte); // what is shown is what is sent
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    const JitterConfigBlock &b = m_device->jitterConfig[0];
    QCOMPARE(int(b[F::Rate]), rateByte);
    QCOMPARE(int(b[F::Units]), units);
    QCOMPARE(get16(b, F::Length), quint16(1518));
}

void TestJitterForm::bucketLabels_data()
{
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<bool>("firstLabels"); // loading keeps the initial ones
    QTest::newRow("8") << 8
                       << QStringList{"0.000-1.000", "1.000-2.000", "2.000-3.000", "3.000-4.000",
                                      "4.000-5.000", "5.000-6.000", "6.000-7.000", "7.000-8.000",
                                      ">=8.000"}
                       << false;
    QTest::newRow("1") << 1
                       << QStringList{"0.000-0.125", "0.125-0.250", "0.250-0.375", "0.375-0.500",
                                      "0.500-0.625", "0.625-0.750", "0.750-0.875", "0.875-1.000",
                                      ">=1.000"}
                       << false;
    QTest::newRow("back to 10") << 10
                                << QStringList{"0.000-1.250", "1.250-2.500", "2.500-3.750",
                                               "3.750-5.000", "5.000-6.250", "6.250-7.500",
                                               "7.500-8.750", "8.750-10.000", ">=10.000"}
                                << true;
}

void TestJitterForm::bucketLabels()
{
    QFETCH(int, threshold);
    QFETCH(QStringList, labels);
    QFETCH(bool, firstLabels);
    const QStringList before = column("tDist", 0);
    // From the tester, then from the user after another value.
    deliver(0, configBlock(0x31, {{F::Threshold, 2, quint32(threshold)}}));
    QCOMPARE(column("tDist", 0), firstLabels ? before : labels);
    w<QSpinBox>("sThre")->setValue(threshold == 3 ? 4 : 3);
    w<QSpinBox>("sThre")->setValue(threshold);
    QCOMPARE(column("tDist", 0), labels);
}

void TestJitterForm::results_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<quint64>("all");
    QTest::addColumn<quint64>("inOrder");
    QTest::addColumn<QList<quint64>>("buckets");
    QTest::addColumn<QStringList>("counts");   // tRes column 1, rows All, In order, Not in order
    QTest::addColumn<QStringList>("percents"); // tRes column 2, rows In order, Not in order
    QTest::addColumn<QStringList>("shares");   // tDist column 1

    const QList<quint64> none(9, 0);
    QTest::newRow("idle")
        << false << quint64(123456) << quint64(123000)
        << QList<quint64>{61728, 30864, 15432, 7716, 3858, 1929, 964, 482, 483}
        << QStringList{"1.235E+05", "1.230E+05", "4.560E+02"} << QStringList{"99.63", "0.37"}
        << QStringList{"50", "25", "12.5", "6.25", "3.125", "1.5625", "0.780845", "0.390422",
                       "0.391233"};
    QTest::newRow("running hides the order")
        << true << quint64(1000) << quint64(990) << QList<quint64>{1000, 0, 0, 0, 0, 0, 0, 0, 0}
        << QStringList{"1.000E+03", "...", "..."} << QStringList{"...", "..."}
        << QStringList{"100", "0", "0", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("nothing received")
        << false << quint64(0) << quint64(0) << none
        << QStringList{"0.000E+00", "0.000E+00", "0.000E+00"} << QStringList{"", ""}
        << QStringList(9, "---");
    QTest::newRow("more in order than all")
        << false << quint64(10) << quint64(12) << QList<quint64>{10, 0, 0, 0, 0, 0, 0, 0, 0}
        << QStringList{"1.000E+01", "1.200E+01", "0.000E+00"} << QStringList{"120.00", "0.00"}
        << QStringList{"100", "0", "0", "0", "0", "0", "0", "0", "0"};
    // bucket x 100 is far beyond 64 bits.
    QTest::newRow("64-bit maximum")
        << false << ~quint64(0) << quint64(0)
        << QList<quint64>{~quint64(0), ~quint64(0) / 2, 0, 0, 0, 0, 0, 0, 1}
        << QStringList{"1.845E+19", "0.000E+00", "1.845E+19"} << QStringList{"0.00", "100.00"}
        << QStringList{"100", "50", "0", "0", "0", "0", "0", "0", "5.42101e-18"};
}

void TestJitterForm::results()
{
    QFETCH(bool, running);
    QFETCH(quint64, all);
    QFETCH(quint64, inOrder);
    QFETCH(QList<quint64>, buckets);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, percents);
    QFETCH(QStringList, shares);
    switchTo(1);
    JitterResultBlock &r = m_device->jitterResult[1];
    r = distinct<BlockSize::JitterResult>(0x99); // reserved bytes must not show
    put64(r, R::RxAll, all);
    put64(r, R::RxInOrder, inOrder);
    for (std::size_t j = 0; j < R::Buckets; ++j)
        put64(r, R::bucket(j), buckets.at(int(j)));
    m_device->procState[1] = running ? StateBit::tx(StateBit::Jitter) : 0;
    m_device->procState[0] = StateBit::tx(StateBit::Jitter); // the other port is not asked
    m_page->res_rcv(0x0007);                                 // nor are its results
    m_page->res_rcv(0x0105);                                 // nor another test's
    QCOMPARE(column("tDist", 1), QStringList(9, QString()));
    m_page->res_rcv(0x0107);
    QCOMPARE(column("tRes", 1), counts);
    QCOMPARE(cell("tRes", 0, 2), QString());
    QCOMPARE(cell("tRes", 1, 2), percents.at(0));
    QCOMPARE(cell("tRes", 2, 2), percents.at(1));
    QCOMPARE(column("tDist", 1), shares);
}

void TestJitterForm::times_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<quint32>("duration");
    QTest::addColumn<QList<int>>("elapsedBytes"); // the status bytes, poll by poll
    QTest::addColumn<QString>("testTime");
    QTest::addColumn<QString>("passedTime");
    QTest::newRow("running") << true << 60u << QList<int>{3} << "00:00:57" << "00:00:03";
    QTest::newRow("idle shows the duration") << false << 3723u << QList<int>{3} << "01:02:03"
                                             << "00:00:00";
    QTest::newRow("past the duration") << true << 60u << QList<int>{61} << "00:00:00" << "00:01:01";
    QTest::newRow("duration 0") << true << 0u << QList<int>{5} << "00:00:00" << "00:00:05";
    QTest::newRow("byte wrapped") << true << 600u << QList<int>{250, 255, 10} << "00:05:34"
                                  << "00:04:26";
}

void TestJitterForm::times()
{
    QFETCH(bool, running);
    QFETCH(quint32, duration);
    QFETCH(QList<int>, elapsedBytes);
    QFETCH(QString, testTime);
    QFETCH(QString, passedTime);
    deliver(0, configBlock(0x62, {{F::Duration, 4, duration}}));
    m_device->procState[0] = running ? StateBit::tx(StateBit::Jitter) : 0;
    for (int byte : elapsedBytes)
        m_device->elapsedCounter[0].update(quint8(byte));
    m_page->res_rcv(0x0007);
    QCOMPARE(w<QLineEdit>("lTestTime")->text(), testTime);
    QCOMPARE(w<QLineEdit>("lPassTime")->text(), passedTime);
}

QTEST_MAIN(TestJitterForm)
#include "tst_jitterform.moc"
