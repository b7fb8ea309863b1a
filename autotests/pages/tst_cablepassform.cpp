#include "cableform.h"
#include "passform.h"

#include "cablelayout.h"
#include "marktranslator.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace F = CableResultField;

template <typename W>
W *w(QObject *page, const char *name)
{
    W *widget = page->findChild<W *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

// The two pages that only start and stop: the cable test, which shows the
// pairs' results, and transit.
class TestCablePassForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void table_data();
    void table();
    void runningShowsDashes();
    void buttons_data();
    void buttons();
    void transitTitleStays();

private:
    QStringList row(int r) const
    {
        auto *t = m_cable->findChild<QTableWidget *>(QStringLiteral("tRes"));
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c)
            cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
        return cells;
    }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_cable->switch_proc(proc);
        m_pass->switch_proc(proc);
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<CableForm> m_cable;
    std::unique_ptr<PassForm> m_pass;
};

namespace {

// Four pairs: per pair its state, raw distance, polarity byte and delay byte.
struct Pair
{
    quint8 state, raw, polarity, delay;
};

CableResultBlock block(bool detail, bool straight12, bool straight56, std::array<Pair, 4> pairs)
{
    CableResultBlock b;
    b.fill(0x5A); // the bytes the page does not read
    b[F::Detail] = detail ? 1 : 0;
    b[F::Straight12_34] = straight12 ? 3 : 0;
    b[F::Straight56_78] = straight56 ? 1 : 0;
    for (std::size_t i = 0; i < 4; ++i) {
        b[F::state(i)] = pairs[i].state;
        b[F::distance(i)] = pairs[i].raw;
        b[F::polarity(i)] = pairs[i].polarity;
        b[F::delay(i)] = pairs[i].delay;
    }
    return b;
}

} // namespace

Q_DECLARE_METATYPE(CableResultBlock)

void TestCablePassForm::init()
{
    m_device = std::make_unique<Zorqv>();
    m_device->connected = true;
    m_cable = std::make_unique<CableForm>(m_device.get());
    m_pass = std::make_unique<PassForm>(m_device.get());
    m_cable->activate();
}

void TestCablePassForm::cleanup()
{
    m_cable.reset();
    m_pass.reset();
    m_device.reset();
}

void TestCablePassForm::table_data()
{
    QTest::addColumn<CableResultBlock>("result");
    QTest::addColumn<QList<QStringList>>("rows");

    const QStringList noDetail{"...", "...", "...", "..."};
    QTest::newRow("straight, all good")
        << block(true, true, true, {{{0, 100, 0, 20}, {0, 0, 0, 21}, {0, 255, 0, 22}, {0, 50, 0, 0}}})
        << QList<QStringList>{{"good", "good", "good", "good"}, noDetail, {"A", "B", "C", "D"},
                              {"+", "+", "+", "+"}, {"160", "168", "176", "0"}};
    QTest::newRow("crossed, faults, inverted")
        << block(true, false, false, {{{1, 0, 1, 1}, {2, 100, 0, 2}, {3, 255, 7, 3}, {4, 36, 0, 255}}})
        << QList<QStringList>{{"short", "open", "fault", "immi"}, {"0", "51", "176", "0"},
                              {"B", "A", "D", "C"}, {"-", "+", "-", "+"}, {"8", "16", "24", "2040"}};
    QTest::newRow("half crossed")
        << block(true, true, false, {{{0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 0, 1}}})
        << QList<QStringList>{{"good", "good", "good", "good"}, noDetail, {"A", "B", "D", "C"},
                              {"+", "+", "+", "+"}, {"8", "8", "8", "8"}};
    QTest::newRow("no detail")
        << block(false, true, true, {{{2, 37, 1, 9}, {2, 38, 1, 9}, {0, 0, 1, 9}, {1, 200, 1, 9}}})
        << QList<QStringList>{{"open", "open", "good", "short"}, {"1", "2", "...", "132"},
                              noDetail, noDetail, noDetail};
    // States the list does not know show their number instead of a text.
    QTest::newRow("unknown states")
        << block(false, true, true, {{{5, 100, 0, 0}, {9, 100, 0, 0}, {200, 100, 0, 0}, {255, 100, 0, 0}}})
        << QList<QStringList>{{"5", "9", "200", "255"}, {"51", "51", "51", "51"}, noDetail, noDetail,
                              noDetail};
}

void TestCablePassForm::table()
{
    QFETCH(CableResultBlock, result);
    QFETCH(QList<QStringList>, rows);
    m_device->cableResult = result;
    m_cable->res_rcv(0x0002);
    for (int r = 0; r < CableForm::Rows; ++r)
        QCOMPARE(row(r), rows.at(r));
}

void TestCablePassForm::runningShowsDashes()
{
    m_device->cableResult = block(true, true, true, {{{1, 100, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}}});
    m_device->procState[0] = StateBit::tx(StateBit::Cable);
    m_cable->res_rcv(0x0002);
    for (int r = 0; r < CableForm::Rows; ++r)
        QCOMPARE(row(r), QStringList(4, QStringLiteral("---")));
    m_device->procState[0] = 0;
    m_cable->res_rcv(0x0002);
    QCOMPARE(row(CableForm::Status).first(), QStringLiteral("short"));
    QCOMPARE(row(CableForm::Length).first(), QStringLiteral("51"));

    // A new language reaches the shown states, not only the headers, and
    // the table keeps showing the result it showed.
    m_device->cableResult.fill(0);
    MarkTranslator translator({"CableForm"});
    QCoreApplication::installTranslator(&translator);
    m_cable->retranslate();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(row(CableForm::Status).first(), QStringLiteral("[short]"));
    QCOMPARE(row(CableForm::Length).first(), QStringLiteral("51"));
    QCOMPARE(w<QGroupBox>(m_cable.get(), "gCable")->title(), QStringLiteral("[Cable test (Port A)]"));
}

void TestCablePassForm::buttons_data()
{
    QTest::addColumn<bool>("transit"); // which page
    QTest::addColumn<quint32>("word");  // state word of process B, the current one
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("stop");
    QTest::addColumn<quint16>("startCode");
    QTest::addColumn<quint16>("stopCode");

    const quint32 cable = StateBit::tx(StateBit::Cable);
    const quint32 transit = StateBit::tx(StateBit::Transit) | StateBit::rx(StateBit::Transit);
    const quint32 bert = StateBit::tx(StateBit::Bert);
    QTest::newRow("cable idle") << false << 0u << true << false << quint16(0x0002) << quint16(0);
    QTest::newRow("cable runs") << false << cable << false << true << quint16(0) << quint16(0x0002);
    QTest::newRow("cable, BERT runs") << false << bert << false << false << quint16(0) << quint16(0);
    QTest::newRow("transit idle") << true << 0u << true << false << quint16(0x0803) << quint16(0);
    QTest::newRow("transit on") << true << transit << false << true << quint16(0) << quint16(0x0703);
    QTest::newRow("transit, BERT runs") << true << bert << false << false << quint16(0) << quint16(0);
}

void TestCablePassForm::buttons()
{
    QFETCH(bool, transit);
    QFETCH(quint32, word);
    QFETCH(bool, start);
    QFETCH(bool, stop);
    QFETCH(quint16, startCode);
    QFETCH(quint16, stopCode);
    TestForm *page = transit ? static_cast<TestForm *>(m_pass.get()) : m_cable.get();
    page->activate();
    // Process A runs the opposite; the switch to B must not leave its state.
    m_device->procState[0] = word ? 0 : StateBit::tx(StateBit::Cable) | StateBit::tx(StateBit::Transit);
    page->status_upd();
    m_device->procState[1] = word;
    switchTo(1);
    auto *bStart = w<QPushButton>(page, "bStart");
    auto *bStop = w<QPushButton>(page, "bStop");
    QCOMPARE(bStart->isEnabled(), start);
    QCOMPARE(bStop->isEnabled(), stop);

    QSignalSpy starts(page, &TestForm::start_test);
    // Clicks go through even on disabled buttons here: the page must
    // ignore what the state word does not allow.
    for (QPushButton *b : {bStart, bStop}) {
        b->setEnabled(true);
        b->click();
    }
    QList<quint16> expected;
    for (quint16 code : {startCode, stopCode})
        if (code)
            expected << code;
    QCOMPARE(starts.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(starts.at(i).at(0).value<unsigned short>(), expected.at(i));
}

void TestCablePassForm::transitTitleStays()
{
    auto *group = w<QGroupBox>(m_pass.get(), "groupBox");
    QCOMPARE(group->title(), QStringLiteral("Transit"));
    switchTo(1);
    QCOMPARE(group->title(), QStringLiteral("Transit"));
    m_pass->activate();
    QCOMPARE(m_device->activeTest, ActiveTest::Transit);
}

QTEST_MAIN(TestCablePassForm)
#include "tst_cablepassform.moc"
