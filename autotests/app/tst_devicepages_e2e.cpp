// QVRemote's interface-settings and statistics pages against the simulated
// tester over TCP: open the page, see the tester's values, apply a change
// and see its effect come back through the real transport and engine.

#include "mainform.h"
#include "simprocess.h"
#include "testform.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class TestDevicePagesE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void interfaceSettings();
    void statistics();

private:
    template <typename W = QWidget>
    W *find(QWidget *in, const char *name) const
    {
        W *w = in->findChild<W *>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    // Opens the page of a test button and waits until Apply is usable, that
    // is until the page's configuration has arrived.
    QWidget *open(const char *button);

    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<MainForm> m_form;
};

void TestDevicePagesE2e::init()
{
    m_sim = std::make_unique<SimProcess>(SimProcess::Link::Tcp);
    QVERIFY2(m_sim->start(), qPrintable(m_sim->errorString()));
    m_form = std::make_unique<MainForm>(nullptr, m_sim->port());
    m_form->show();
    m_form->connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(m_form->device().connected, 5000);
    QMessageBox *warning = nullptr; // the release warning of a ZORT-QV
    QTRY_VERIFY((warning = m_form->findChild<QMessageBox *>()) != nullptr);
    warning->close();
}

void TestDevicePagesE2e::cleanup()
{
    m_form.reset();
    if (m_sim)
        QVERIFY(m_sim->stop());
    m_sim.reset();
}

QWidget *TestDevicePagesE2e::open(const char *button)
{
    QTest::mouseClick(find<QPushButton>(m_form.get(), button), Qt::LeftButton);
    for (TestForm *page : m_form->pages()) {
        if (page && page->isVisible()) {
            auto *apply = find<QPushButton>(page, "bApply");
            if (!QTest::qWaitFor([apply] { return apply->isEnabled(); }, 5000))
                return nullptr;
            return page;
        }
    }
    return nullptr;
}

void TestDevicePagesE2e::interfaceSettings()
{
    QWidget *page = open("bIfSettings");
    QVERIFY(page);
    QWidget *portA = find(page, "tabA");
    QWidget *portRC = find(page, "tabRC");
    // The tester's own settings, as it boots.
    QCOMPARE(find<QLineEdit>(portA, "lIP")->text(), QStringLiteral("192.168.000.200"));
    QCOMPARE(find<QLineEdit>(portRC, "lMAC")->text(), QStringLiteral("00:33:44:55:66:77"));
    QTRY_COMPARE(m_form->device().linkSpeed[0], quint8(3));

    // Port A offers 100 Mbit/s at most, the remote-control port asks DHCP.
    find<QCheckBox>(portA, "c1000")->setChecked(false);
    find<QLineEdit>(portA, "lGate")->setText(QStringLiteral("192.168.0.254"));
    find<QCheckBox>(portRC, "cDHCP")->setChecked(true);
    QTest::mouseClick(find<QPushButton>(page, "bApply"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_form->device().linkSpeed[0], quint8(2), 5000);
    // The lease arrives through the page's poll of the DHCP interfaces.
    QTRY_COMPARE_WITH_TIMEOUT(find<QLineEdit>(portRC, "lIP")->text(), QStringLiteral("192.168.000.052"), 8000);

    // Reset reads back what the tester keeps.
    find<QLineEdit>(portA, "lGate")->setText(QStringLiteral("10.0.0.1"));
    QTest::mouseClick(find<QPushButton>(page, "bReset"), Qt::LeftButton);
    QTRY_COMPARE(find<QLineEdit>(portA, "lGate")->text(), QStringLiteral("192.168.000.254"));
    QVERIFY(!find<QCheckBox>(portA, "c1000")->isChecked());
    QVERIFY(find<QCheckBox>(portA, "c100")->isChecked());
    QVERIFY(find<QCheckBox>(portRC, "cDHCP")->isChecked());
}

void TestDevicePagesE2e::statistics()
{
    QWidget *page = open("bStats");
    QVERIFY(page);
    auto *commons = find<QTableWidget>(page, "tCommons");
    const auto count = [commons](int row) {
        const QTableWidgetItem *item = commons->item(row, 0);
        return item ? item->text().toLongLong() : -1;
    };
    // Both ports' received frames (row 0: port A, row 2: port B) grow on an
    // idle link: the network's own broadcasts.
    QTRY_VERIFY_WITH_TIMEOUT(count(0) > 0 && count(2) > 0, 5000);
    const qlonglong first = count(0);
    // Some seconds' worth, so that the reset shows as a drop even when the
    // next poll comes late.
    QTRY_VERIFY_WITH_TIMEOUT(count(0) > first && count(0) > 10, 8000);

    const qlonglong beforeReset = count(0);
    QTest::mouseClick(find<QPushButton>(page, "bResetStats"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(count(0) < beforeReset, 5000);

    auto *autoReset = find<QCheckBox>(page, "cRst");
    QVERIFY(!autoReset->isChecked());
    autoReset->setChecked(true);
    QTest::mouseClick(find<QPushButton>(page, "bApply"), Qt::LeftButton);
    autoReset->setChecked(false);
    QTest::mouseClick(find<QPushButton>(page, "bReset"), Qt::LeftButton);
    QTRY_VERIFY(autoReset->isChecked());
    QVERIFY(m_form->device().statsFlag);
}

QTEST_MAIN(TestDevicePagesE2e)
#include "tst_devicepages_e2e.moc"
