#include "bertform.h"
#include "pagedriver.h"

#include "bertlayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

// The BERT page driven like a user: what Apply leaves in the device record,
// byte by byte, and what a result block shows.
class TestBertForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void results_data();
    void results();

private:
    template <typename W = QWidget>
    W *w(const char *name) const
    {
        return PageDriver::child<W>(m_page.get(), name);
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<BertForm> m_page;
};

using Edit = std::function<void(QWidget *page)>;
Q_DECLARE_METATYPE(Edit)

void TestBertForm::init()
{
    PageDriver::openPage(m_device, m_page, false);
}

void TestBertForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

// A received block goes back byte for byte unless a field was edited; then
// only that field changes.
void TestBertForm::roundTrip_data()
{
    namespace F = BertConfigField;
    QTest::addColumn<QByteArray>("patch"); // offset, value bytes... over a distinct-byte block
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("expected"); // offset, bytes written back

    const auto none = [](QWidget *) {};
    QTest::newRow("untouched") << QByteArray() << Edit(none) << QByteArray();
    QTest::newRow("pattern beyond the list kept") << QByteArray("\x00\x09", 2) << Edit(none) << QByteArray();
    QTest::newRow("units beyond the list kept") << QByteArray("\x06\x05", 2) << Edit(none) << QByteArray();
    QTest::newRow("rate beyond the range kept") << QByteArray("\x04\x10\x27\x06\x00", 5) << Edit(none) << QByteArray();
    QTest::newRow("duration beyond a day kept") << QByteArray("\x08\x00\x00\x02\x00", 5) << Edit(none) << QByteArray();
    QTest::newRow("pattern chosen")
        << QByteArray("\x00\x09", 2)
        << Edit([](QWidget *p) { p->findChild<QComboBox *>("cPattern")->setCurrentIndex(7); })
        << QByteArray("\x00\x07", 2);
    QTest::newRow("user pattern lower case")
        << QByteArray()
        << Edit([](QWidget *p) { p->findChild<QLineEdit *>("lUserPattern")->setText("DEADBEEF"); })
        << QByteArray("\x0C\xEF\xBE\xAD\xDE", 5);
    QTest::newRow("rate edited")
        << QByteArray("\x06\x03", 2)
        << Edit([](QWidget *p) { p->findChild<QSpinBox *>("sRate")->setValue(9999); })
        << QByteArray("\x04\x0F\x27", 3);
    QTest::newRow("percent caps the rate")
        << QByteArray("\x06\x03", 2)
        << Edit([](QWidget *p) {
               p->findChild<QComboBox *>("cUnits")->setCurrentIndex(0);
               p->findChild<QSpinBox *>("sRate")->setValue(500);
           })
        << QByteArray("\x04\x64\x00\x00", 4);
    QTest::newRow("duration edited")
        << QByteArray()
        << Edit([](QWidget *p) { p->findChild<QTimeEdit *>("tDur")->setTime(QTime(1, 2, 3)); })
        << QByteArray("\x08\x8B\x0E\x00\x00", 5);
}

void TestBertForm::roundTrip()
{
    QFETCH(QByteArray, patch);
    QFETCH(Edit, edit);
    QFETCH(QByteArray, expected);
    namespace F = BertConfigField;
    BertConfigBlock b;
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = quint8(0x21 + 7 * i);
    // In range for every widget unless a row patches it.
    b[F::Pattern] = 3;
    b[F::Units] = 2;
    put16(b, F::Size, 1500);
    put16(b, F::Rate, 777);
    put32(b, F::Duration, 3723);
    if (!patch.isEmpty())
        std::memcpy(b.data() + quint8(patch[0]), patch.constData() + 1, std::size_t(patch.size() - 1));
    m_device->curProc = 1;
    m_device->bertConfig[1] = b;
    m_device->activeTest = 0;
    m_page->activate();
    m_page->cfg_rcv(requestCode(TestNo::Bert, 1));
    edit(m_page.get());
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    BertConfigBlock want = b;
    if (!expected.isEmpty())
        std::memcpy(want.data() + quint8(expected[0]), expected.constData() + 1, std::size_t(expected.size() - 1));
    for (std::size_t i = 0; i < b.size(); ++i)
        QVERIFY2(m_device->bertConfig[1][i] == want[i], qPrintable(QStringLiteral("byte %1").arg(i)));
}

void TestBertForm::results_data()
{
    QTest::addColumn<quint64>("bits");
    QTest::addColumn<quint64>("ebits");
    QTest::addColumn<quint32>("lss");
    QTest::addColumn<quint32>("elapsed");
    QTest::addColumn<quint32>("duration");
    QTest::addColumn<QStringList>("shown"); // lElap, lEst, lBits, lEbits, lBER, lLSS, lLSSp

    QTest::newRow("running") << quint64(1000000) << quint64(1) << 3u << 12u << 60u
                             << QStringList{"00:00:12", "00:00:48", "1000000", "1", "1e-06", "3", "25"};
    QTest::newRow("nothing received") << quint64(0) << quint64(5) << 0u << 0u << 60u
                                      << QStringList{"00:00:00", "00:01:00", "0", "5", "0", "0", "0"};
    QTest::newRow("past the end") << quint64(8) << quint64(8) << 7u << 70u << 60u
                                  << QStringList{"00:01:10", "00:00:00", "8", "8", "1", "7", "10"};
    QTest::newRow("64-bit counters") << quint64(18446744073709551615ull) << quint64(18446744073709551ull)
                                     << 4294967295u << 4294967295u << 0u
                                     << QStringList{"1193046:28:15", "00:00:00", "18446744073709551615",
                                                    "18446744073709551", "0.001", "4294967295", "100"};
}

void TestBertForm::results()
{
    QFETCH(quint64, bits);
    QFETCH(quint64, ebits);
    QFETCH(quint32, lss);
    QFETCH(quint32, elapsed);
    QFETCH(quint32, duration);
    QFETCH(QStringList, shown);
    namespace R = BertResultField;
    put32(m_device->bertConfig[0], BertConfigField::Duration, duration);
    m_page->cfg_rcv(requestCode(TestNo::Bert, 0));
    BertResultBlock &r = m_device->bertResult[0];
    r.fill(0x5C);
    put64(r, R::RxBits, bits);
    put64(r, R::ErrorBits, ebits);
    put32(r, R::Lss, lss);
    put32(r, R::Los, 0);
    put32(r, R::Elapsed, elapsed);
    m_page->res_rcv(requestCode(TestNo::Bert, 0));
    const char *names[] = {"lElap", "lEst", "lBits", "lEbits", "lBER", "lLSS", "lLSSp"};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(w<QLineEdit>(names[i])->text(), shown.at(i));
    QCOMPARE(w<QLineEdit>("lLOSp")->text(), QStringLiteral("0"));
}

QTEST_MAIN(TestBertForm)
#include "tst_bertform.moc"
