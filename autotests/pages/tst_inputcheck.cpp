// What the user typed is refused before anything is sent: Apply names the
// bad field and writes nothing, whichever page and kind of field it is.

#include "bertform.h"
#include "ifsetform.h"
#include "inputcheck.h"
#include "lbform.h"
#include "multiform.h"
#include "rfcform.h"
#include "tcpipform.h"
#include "trafficform.h"

#include "bertlayout.h"
#include "iflayout.h"
#include "multilayout.h"
#include "pinglayout.h"
#include "rfclayout.h"
#include "testcodes.h"
#include "trafficlayout.h"
#include "zorqv.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

using MakePage = std::function<TestForm *(Zorqv *)>;
Q_DECLARE_METATYPE(MakePage)

namespace {

template <class Page>
MakePage make()
{
    return [](Zorqv *d) -> TestForm * { return new Page(d); };
}

// Port A's configurations as a tester sends them by default, delivered to
// an open page so that its Apply is usable.
void openWithDefaults(Zorqv &d, TestForm *page)
{
    d.trafficConfig[0] = TrafficDefaults::Port[0];
    d.bertConfig[0] = BertDefaults::Port[0];
    d.rfcConfig[0] = RfcDefaults::Port[0];
    d.multiConfig[0] = MultiDefaults::Port[0];
    d.pingConfig[0] = PingDefaults::Ping[0];
    d.traceConfig[0] = PingDefaults::Trace[0];
    d.dnsConfig[0] = PingDefaults::Dns[0];
    for (std::size_t i = 0; i < IfaceIndex::Count; ++i)
        d.ifaceConfig[i] = IfaceDefaults::Iface[i];
    page->activate();
    for (quint8 test = TestNo::Loopback; test <= TestNo::Stats; ++test)
        page->cfg_rcv(requestCode(test, 0));
    page->cfg_rcv(requestCode(TestNo::Iface, IfaceIndex::RemoteControl));
}

// "tabRC/lMask": lMask inside the widget tabRC.
QLineEdit *field(QWidget *page, const QString &path)
{
    const QStringList parts = path.split(u'/');
    QWidget *within = parts.size() > 1 ? page->findChild<QWidget *>(parts.first()) : page;
    return within ? within->findChild<QLineEdit *>(parts.last()) : nullptr;
}

QList<int> writes(const QSignalSpy &spy)
{
    QList<int> codes;
    for (const QList<QVariant> &args : spy) {
        const auto code = args.at(0).value<unsigned short>();
        if ((code >> 8) & 1)
            codes << code;
    }
    return codes;
}

QMessageBox *warning(QWidget *parent)
{
    const auto boxes = parent->findChildren<QMessageBox *>();
    return boxes.isEmpty() ? nullptr : boxes.constLast();
}

} // namespace

class TestInputCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void applyRefuses_data();
    void applyRefuses();
    void streamSwitchRefused();
    void checkedFieldsHaveNames_data();
    void checkedFieldsHaveNames();
};

void TestInputCheck::applyRefuses_data()
{
    QTest::addColumn<MakePage>("page");
    QTest::addColumn<int>("tab");       // index in "tabWidget", -1: as built
    QTest::addColumn<QString>("field"); // [container/]object name
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("uncheck"); // a check box cleared first, or empty
    QTest::addColumn<QString>("named");   // in the warning; empty: applied

    QTest::newRow("MAC of five octets") << make<TrafficForm>() << -1 << "lMACdst" << "00:1A:2B:3C:4D" << ""
                                        << "MAC destination";
    QTest::newRow("IP of three parts") << make<TrafficForm>() << -1 << "lIPdst" << "10.0.0" << "" << "IP destination";
    QTest::newRow("IP octet above 255") << make<LbForm>() << -1 << "lIPsrc" << "300.1.1.1" << "" << "IP source";
    QTest::newRow("mask with a hole on the tab behind")
        << make<IfsetForm>() << 0 << "tabRC/lMask" << "255.0.255.0" << "" << "Subnet mask";
    QTest::newRow("user pattern of 7 digits") << make<BertForm>() << -1 << "lUserPattern" << "1234567" << ""
                                              << "User pattern";
    QTest::newRow("empty host name") << make<TCPIPForm>() << int(TCPIPForm::DnsTab) << "lHost" << "" << ""
                                     << "Host name";
    QTest::newRow("host name with an empty label")
        << make<TCPIPForm>() << int(TCPIPForm::DnsTab) << "lHost" << "example..com" << "" << "Host name";
    QTest::newRow("valid address applied") << make<TrafficForm>() << -1 << "lIPdst" << "10.0.0.1" << "" << "";
    QTest::newRow("IP hidden with level 3 off") << make<TrafficForm>() << -1 << "lIPdst" << "10.0" << "cLvl3" << "";
    QTest::newRow("MAC disabled by auto MAC") << make<RfcForm>() << -1 << "lMACdst" << "00:1A" << "!cMacAuto" << "";
    QTest::newRow("ping address behind the DNS tab")
        << make<TCPIPForm>() << int(TCPIPForm::DnsTab) << "lIP" << "10.0" << "" << "";
}

void TestInputCheck::applyRefuses()
{
    QFETCH(MakePage, page);
    QFETCH(int, tab);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, uncheck);
    QFETCH(QString, named);
    Zorqv device;
    std::unique_ptr<TestForm> form(page(&device));
    openWithDefaults(device, form.get());
    if (tab >= 0)
        form->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(tab);
    if (!uncheck.isEmpty()) {
        // "!name": the box is checked instead.
        auto *box = form->findChild<QCheckBox *>(uncheck.startsWith(u'!') ? uncheck.mid(1) : uncheck);
        QVERIFY(box);
        box->setChecked(uncheck.startsWith(u'!'));
    }
    QLineEdit *edit = ::field(form.get(), field);
    QVERIFY(edit);
    edit->setText(text);
    QSignalSpy spy(form.get(), &TestForm::gs_cfg);
    auto *apply = form->findChild<QPushButton *>(QStringLiteral("bApply"));
    QVERIFY(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);

    QMessageBox *box = warning(form.get());
    if (named.isEmpty()) {
        QVERIFY(!writes(spy).isEmpty());
        QVERIFY(!box);
        return;
    }
    QCOMPARE(writes(spy), QList<int>{});
    QVERIFY(box);
    QVERIFY2(box->text().startsWith(named) && box->text().contains(text), qPrintable(box->text()));
    QCOMPARE(edit->text(), text); // kept for correction
}

// Leaving a stream of the multistream page would put its fields into the
// buffer that Apply sends: a bad one keeps the user on the stream.
void TestInputCheck::streamSwitchRefused()
{
    Zorqv device;
    MultiForm form(&device);
    openWithDefaults(device, &form);
    auto *stream = form.findChild<QSpinBox *>(QStringLiteral("sStreamSettings"));
    auto *ip = form.findChild<QLineEdit *>(QStringLiteral("lIPdst"));
    ip->setText(QStringLiteral("10.1"));
    stream->setValue(2);
    QCOMPARE(stream->value(), 1);
    QVERIFY(warning(&form));
    QCOMPARE(ip->text(), QStringLiteral("10.1"));

    ip->setText(QStringLiteral("10.1.2.3"));
    stream->setValue(2);
    QCOMPARE(stream->value(), 2);
    stream->setValue(1);
    QCOMPARE(ip->text(), QStringLiteral("010.001.002.003"));
}

void TestInputCheck::checkedFieldsHaveNames_data()
{
    QTest::addColumn<MakePage>("page");
    QTest::newRow("traffic") << make<TrafficForm>();
    QTest::newRow("RFC-2544") << make<RfcForm>();
    QTest::newRow("multistream") << make<MultiForm>();
    QTest::newRow("loopback") << make<LbForm>();
    QTest::newRow("TCP/IP") << make<TCPIPForm>();
    QTest::newRow("BERT") << make<BertForm>();
    QTest::newRow("interface settings") << make<IfsetForm>();
}

// A warning names the field as the user sees it: every field that can be
// refused has a caption to be named by.
void TestInputCheck::checkedFieldsHaveNames()
{
    QFETCH(MakePage, page);
    Zorqv device;
    std::unique_ptr<TestForm> form(page(&device));
    const auto edits = form->findChildren<QLineEdit *>();
    int checked = 0;
    for (const QLineEdit *edit : edits) {
        if (!edit->validator() && edit->inputMask().isEmpty())
            continue;
        if (qobject_cast<const QAbstractSpinBox *>(edit->parentWidget()))
            continue;
        ++checked;
        QVERIFY2(!InputCheck::fieldName(edit).isEmpty(), qPrintable(edit->objectName()));
    }
    QVERIFY(checked > 0);
}

QTEST_MAIN(TestInputCheck)
#include "tst_inputcheck.moc"
