#include "headersettings.h"
#include "validators.h"

#include "conversions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTranslator>
#include <QValidator>

#include <memory>

// The header-settings binder on a form of named widgets, as a page's
// designer form has them.
class TestHeaderSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void comboTables();
    void initialState();
    void replaceGroupsExclusive_data();
    void replaceGroupsExclusive();
    void levelRules_data();
    void levelRules();
    void autoMac();
    void patterns_data();
    void patterns();
    void validatorsInstalled();
    void loadStore_data();
    void loadStore();
    void invalidTextFallsBack_data();
    void invalidTextFallsBack();
    void partialForm();
    void retranslateDefaultItem();

private:
    template <typename W>
    W *w(const char *name) const { return m_form->findChild<W *>(QLatin1String(name)); }

    std::unique_ptr<QWidget> m_form;
    HeaderSettings *m_header = nullptr;
};

namespace {

using TestBlock = Block<20>;

// A block of its own layout, so no page's offsets are assumed.
const HeaderFields kFields = {0, 4, 10, 11, 12, 13, 14, 16, 18, 19};

template <typename W>
W *add(QWidget *parent, const char *name)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The full header group as the traffic pages have it.
QWidget *makeForm()
{
    auto *form = new QWidget;
    add<QCheckBox>(form, "cMacAuto");
    add<QLineEdit>(form, "lMACdst");
    add<QCheckBox>(form, "cLvl3")->setChecked(true);
    add<QLabel>(form, "lIPdstl");
    add<QLineEdit>(form, "lIPdst");
    auto *tos = add<QGroupBox>(form, "gToS");
    tos->setCheckable(true);
    tos->setChecked(false);
    add<QLabel>(tos, "lToSl");
    add<QComboBox>(tos, "cbToS");
    add<QLabel>(tos, "lPrecl");
    add<QComboBox>(tos, "cbPrec");
    auto *dscp = add<QGroupBox>(form, "gDSCP");
    dscp->setCheckable(true);
    dscp->setChecked(false);
    add<QComboBox>(dscp, "cbDSCP");
    add<QCheckBox>(form, "cLvl4")->setChecked(true);
    add<QLabel>(form, "lUDPsrcl");
    add<QSpinBox>(form, "sUDPsrc");
    add<QLabel>(form, "lUDPdstl");
    add<QSpinBox>(form, "sUDPdst");
    return form;
}

TestBlock block(const QByteArray &hex)
{
    TestBlock b{};
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.begin(), bytes.begin() + qMin<qsizetype>(bytes.size(), 20), b.begin());
    return b;
}

QByteArray hexOf(const TestBlock &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())).toHex();
}

} // namespace

void TestHeaderSettings::init()
{
    m_form.reset(makeForm());
    m_header = new HeaderSettings(m_form.get(), m_form.get());
}

void TestHeaderSettings::cleanup()
{
    m_form.reset();
}

void TestHeaderSettings::comboTables()
{
    auto *tos = w<QComboBox>("cbToS");
    QCOMPARE(tos->count(), 5);
    const QStringList tosItems = {"0000", "0001", "0010", "0100", "1000"};
    for (int i = 0; i < tos->count(); ++i)
        QCOMPARE(tos->itemText(i), tosItems.at(i));

    auto *prec = w<QComboBox>("cbPrec");
    QCOMPARE(prec->count(), 8);
    for (int i = 0; i < prec->count(); ++i)
        QCOMPARE(prec->itemText(i), QString::number(i));

    auto *dscp = w<QComboBox>("cbDSCP");
    QCOMPARE(dscp->count(), 21);
    QCOMPARE(dscp->itemText(0), QStringLiteral("AF11 ( 001010 )"));
    QCOMPARE(dscp->itemText(11), QStringLiteral("AF43 ( 100110 )"));
    QCOMPARE(dscp->itemText(18), QStringLiteral("CS7  ( 111000 )"));
    QCOMPARE(dscp->itemText(19), QStringLiteral("default ( 000000 )"));
    QCOMPARE(dscp->itemText(20), QStringLiteral("EF   ( 101110 )"));
}

void TestHeaderSettings::initialState()
{
    for (const char *name : {"cbToS", "cbPrec", "cbDSCP", "lToSl", "lPrecl"})
        QVERIFY2(!w<QWidget>(name)->isEnabled(), name);
    QVERIFY(w<QGroupBox>("gToS")->isEnabled());
    QVERIFY(w<QGroupBox>("gDSCP")->isEnabled());
    QVERIFY(w<QLineEdit>("lMACdst")->isEnabled());
    QCOMPARE(w<QComboBox>("cbDSCP")->currentIndex(), 19); // what a zero DS byte shows
    for (const char *name : {"lIPdst", "gToS", "gDSCP", "cLvl4", "sUDPsrc", "lUDPdstl"})
        QVERIFY2(w<QWidget>(name)->isVisibleTo(m_form.get()), name);
    QCOMPARE(w<QSpinBox>("sUDPsrc")->minimum(), 1);
    QCOMPARE(w<QSpinBox>("sUDPdst")->maximum(), 65535);
}

void TestHeaderSettings::replaceGroupsExclusive_data()
{
    QTest::addColumn<QList<int>>("clicks"); // 0 toggles gToS, 1 toggles gDSCP
    QTest::addColumn<bool>("tosOn");
    QTest::addColumn<bool>("dscpOn");
    QTest::newRow("ToS ticked") << QList<int>{0} << true << false;
    QTest::newRow("DSCP ticked") << QList<int>{1} << false << true;
    QTest::newRow("ToS ticked and unticked") << QList<int>{0, 0} << false << false;
    QTest::newRow("DSCP ticked and unticked") << QList<int>{1, 1} << false << false;
    QTest::newRow("ToS, off, then DSCP") << QList<int>{0, 0, 1} << false << true;
}

void TestHeaderSettings::replaceGroupsExclusive()
{
    QFETCH(QList<int>, clicks);
    QFETCH(bool, tosOn);
    QFETCH(bool, dscpOn);
    auto *tos = w<QGroupBox>("gToS");
    auto *dscp = w<QGroupBox>("gDSCP");
    for (int click : clicks) {
        QGroupBox *g = click == 0 ? tos : dscp;
        QVERIFY(g->isEnabled()); // a user can only tick an enabled group
        g->setChecked(!g->isChecked());
    }
    QCOMPARE(tos->isChecked(), tosOn);
    QCOMPARE(dscp->isChecked(), dscpOn);
    for (const char *name : {"cbToS", "cbPrec", "lToSl", "lPrecl"})
        QVERIFY2(w<QWidget>(name)->isEnabled() == tosOn, name);
    QCOMPARE(w<QComboBox>("cbDSCP")->isEnabled(), dscpOn);
    QCOMPARE(dscp->isEnabled(), !tosOn);
    QCOMPARE(tos->isEnabled(), !dscpOn);
    QCOMPARE(m_header->replaceMode(), quint8(tosOn ? 1 : dscpOn ? 2 : 0));
}

void TestHeaderSettings::levelRules_data()
{
    QTest::addColumn<bool>("level3");
    QTest::addColumn<bool>("level4");
    QTest::addColumn<bool>("level4First"); // order in which the user changes them
    for (bool first : {false, true}) {
        const char *order = first ? "level 4 first" : "level 3 first";
        QTest::addRow("3 on, 4 on, %s", order) << true << true << first;
        QTest::addRow("3 on, 4 off, %s", order) << true << false << first;
        QTest::addRow("3 off, 4 on, %s", order) << false << true << first;
        QTest::addRow("3 off, 4 off, %s", order) << false << false << first;
    }
}

void TestHeaderSettings::levelRules()
{
    QFETCH(bool, level3);
    QFETCH(bool, level4);
    QFETCH(bool, level4First);
    if (level4First) {
        w<QCheckBox>("cLvl4")->setChecked(level4);
        w<QCheckBox>("cLvl3")->setChecked(level3);
    } else {
        w<QCheckBox>("cLvl3")->setChecked(level3);
        w<QCheckBox>("cLvl4")->setChecked(level4);
    }
    QWidget *form = m_form.get();
    for (const char *name : {"lIPdstl", "lIPdst", "gToS", "gDSCP", "cLvl4"})
        QVERIFY2(w<QWidget>(name)->isVisibleTo(form) == level3, name);
    for (const char *name : {"lUDPsrcl", "sUDPsrc", "lUDPdstl", "sUDPdst"})
        QVERIFY2(w<QWidget>(name)->isVisibleTo(form) == (level3 && level4), name);
    QVERIFY(w<QWidget>("lMACdst")->isVisibleTo(form));
}

void TestHeaderSettings::autoMac()
{
    auto *box = w<QCheckBox>("cMacAuto");
    auto *mac = w<QLineEdit>("lMACdst");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    QVERIFY(box->isChecked());
    QVERIFY(!mac->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    QVERIFY(mac->isEnabled());
}

void TestHeaderSettings::patterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mac");
    QTest::addColumn<bool>("ipv4");
    QTest::newRow("mac colons") << "00:1a:2b:3c:4d:5e" << true << false;
    QTest::newRow("mac dashes upper") << "00-1A-2B-3C-4D-5E" << true << false;
    QTest::newRow("mac short") << "00:1A:2B" << false << false;
    QTest::newRow("mac one digit part") << "0:1a:2b:3c:4d:5e" << false << false;
    QTest::newRow("mac trailing separator") << "00:1a:2b:3c:4d:5e:" << false << false;
    QTest::newRow("mac not hex") << "00:1g:2b:3c:4d:5e" << false << false;
    QTest::newRow("mac trailing newline") << "00:1a:2b:3c:4d:5e\n" << false << false;
    QTest::newRow("ip plain") << "10.0.0.1" << false << true;
    QTest::newRow("ip padded") << "192.168.000.200" << false << true;
    QTest::newRow("ip 255") << "255.255.255.255" << false << true;
    QTest::newRow("ip 256") << "256.1.1.1" << false << false;
    QTest::newRow("ip three parts") << "10.0.1" << false << false;
    QTest::newRow("ip five parts") << "10.0.0.1.5" << false << false;
    QTest::newRow("ip trailing newline") << "10.0.0.1\n" << false << false;
    QTest::newRow("ip blank inside") << "10.0. 0.1" << false << false;
    QTest::newRow("empty") << "" << false << false;
}

void TestHeaderSettings::patterns()
{
    QFETCH(QString, text);
    QFETCH(bool, mac);
    QFETCH(bool, ipv4);
    QCOMPARE(Validators::matches(Validators::mac(), text), mac);
    QCOMPARE(Validators::isIpv4(text), ipv4);
}

void TestHeaderSettings::validatorsInstalled()
{
    auto *mac = w<QLineEdit>("lMACdst");
    auto *ip = w<QLineEdit>("lIPdst");
    QVERIFY(mac->validator());
    QVERIFY(ip->validator());
    QTest::keyClicks(mac, QStringLiteral("0z0:1a"));
    QCOMPARE(mac->text(), QStringLiteral("00:1a")); // 'z' refused
    QTest::keyClicks(ip, QStringLiteral("300.1"));
    QVERIFY(!ip->text().startsWith(QStringLiteral("300")));
    QString full = QStringLiteral("192.168.0.1");
    int pos = 0;
    QCOMPARE(ip->validator()->validate(full, pos), QValidator::Acceptable);
}

void TestHeaderSettings::loadStore_data()
{
    QTest::addColumn<QByteArray>("in");        // block as hex, kFields layout
    QTest::addColumn<QByteArray>("out");       // block after store; empty = unchanged
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("tosIndex");
    QTest::addColumn<int>("precIndex");
    QTest::addColumn<int>("dscpIndex");
    QTest::addColumn<int>("mode");

    //                        ip       mac          am md to ds src  dst  l3 l4
    QTest::newRow("no replacement")
        << QByteArray("c800a8c0" "000102030405" "00" "00" "00" "00" "7b00" "c801" "01" "01")
        << QByteArray() << "00:01:02:03:04:05" << "192.168.000.200" << 0 << 0 << 19 << 0;
    QTest::newRow("replace ToS, bit 0 kept")
        << QByteArray("01000a0a" "001a2b3c4d5e" "01" "01" "a9" "00" "0100" "ffff" "01" "00")
        << QByteArray() << "00:1a:2b:3c:4d:5e" << "010.010.000.001" << 3 << 5 << 19 << 1;
    QTest::newRow("replace DSCP EF")
        << QByteArray("00000000" "ffffffffffff" "00" "02" "00" "b8" "0100" "0100" "00" "01")
        << QByteArray() << "ff:ff:ff:ff:ff:ff" << "000.000.000.000" << 0 << 0 << 20 << 2;
    QTest::newRow("unknown DSCP code writes 0")
        << QByteArray("00000000" "000000000000" "00" "02" "00" "04" "0100" "0100" "01" "01")
        << QByteArray("00000000" "000000000000" "00" "02" "00" "00" "0100" "0100" "01" "01")
        << "00:00:00:00:00:00" << "000.000.000.000" << 0 << 0 << 19 << 2;
    QTest::newRow("ToS value the combo lacks goes back as received")
        << QByteArray("00000000" "000000000000" "00" "01" "47" "00" "0100" "0100" "01" "01")
        << QByteArray()
        << "00:00:00:00:00:00" << "000.000.000.000" << 0 << 2 << 19 << 1;
    QTest::newRow("ToS byte kept while DSCP replaces")
        << QByteArray("00000000" "000000000000" "00" "02" "e5" "48" "0100" "0100" "01" "01")
        << QByteArray() << "00:00:00:00:00:00" << "000.000.000.000" << 2 << 7 << 3 << 2;
}

void TestHeaderSettings::loadStore()
{
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, out);
    QFETCH(QString, mac);
    QFETCH(QString, ip);
    QFETCH(int, tosIndex);
    QFETCH(int, precIndex);
    QFETCH(int, dscpIndex);
    QFETCH(int, mode);

    // Start from a different state so that every field has to change.
    m_header->load(block("0a000001" "aabbccddeeff" "01" "01" "1e" "28" "0900" "0900" "00" "00"),
                   kFields);
    const TestBlock b = block(in);
    m_header->load(b, kFields);

    QCOMPARE(w<QCheckBox>("cMacAuto")->isChecked(), b[10] != 0);
    QCOMPARE(w<QLineEdit>("lMACdst")->text(), mac);
    QCOMPARE(w<QLineEdit>("lIPdst")->text(), ip);
    QCOMPARE(w<QGroupBox>("gToS")->isChecked(), mode == 1);
    QCOMPARE(w<QGroupBox>("gDSCP")->isChecked(), mode == 2);
    QCOMPARE(w<QGroupBox>("gToS")->isEnabled(), mode != 2);
    QCOMPARE(w<QGroupBox>("gDSCP")->isEnabled(), mode != 1);
    QCOMPARE(w<QComboBox>("cbToS")->currentIndex(), tosIndex);
    QCOMPARE(w<QComboBox>("cbPrec")->currentIndex(), precIndex);
    QCOMPARE(w<QComboBox>("cbDSCP")->currentIndex(), dscpIndex);
    QCOMPARE(w<QSpinBox>("sUDPsrc")->value(), int(Bytes::get16(b.data(), 14)));
    QCOMPARE(w<QSpinBox>("sUDPdst")->value(), int(Bytes::get16(b.data(), 16)));
    QCOMPARE(w<QCheckBox>("cLvl3")->isChecked(), b[18] != 0);
    QCOMPARE(w<QCheckBox>("cLvl4")->isChecked(), b[19] != 0);

    TestBlock stored = b;
    m_header->store(stored, kFields, TestBlock{});
    QCOMPARE(hexOf(stored), out.isEmpty() ? in : out);
}

void TestHeaderSettings::invalidTextFallsBack_data()
{
    QTest::addColumn<QString>("macText");
    QTest::addColumn<QString>("ipText");
    QTest::addColumn<QString>("macShown");
    QTest::addColumn<QString>("ipShown");
    QTest::addColumn<QByteArray>("macBytes");
    QTest::addColumn<quint32>("ip");
    QTest::newRow("both valid") << "00-1A-2B-3C-4D-5E" << "10.0.0.1" << "00-1A-2B-3C-4D-5E"
                                << "10.0.0.1" << QByteArray::fromHex("001a2b3c4d5e") << 0x0A000001u;
    QTest::newRow("incomplete MAC") << "00:1A:2B" << "10.0.0.1" << "00:06:07:08:09:10"
                                    << "10.0.0.1" << QByteArray::fromHex("000607080910")
                                    << 0x0A000001u;
    QTest::newRow("incomplete IP") << "00:1a:2b:3c:4d:5e" << "10.0." << "00:1a:2b:3c:4d:5e"
                                   << "192.168.000.200" << QByteArray::fromHex("001a2b3c4d5e")
                                   << 0xC0A800C8u;
    QTest::newRow("both empty") << "" << "" << "00:06:07:08:09:10" << "192.168.000.200"
                                << QByteArray::fromHex("000607080910") << 0xC0A800C8u;
}

void TestHeaderSettings::invalidTextFallsBack()
{
    QFETCH(QString, macText);
    QFETCH(QString, ipText);
    QFETCH(QString, macShown);
    QFETCH(QString, ipShown);
    QFETCH(QByteArray, macBytes);
    QFETCH(quint32, ip);
    auto *mac = w<QLineEdit>("lMACdst");
    auto *ipEdit = w<QLineEdit>("lIPdst");
    mac->clear();
    ipEdit->clear();
    QTest::keyClicks(mac, macText); // typed: the validator lets a partial entry stand
    QTest::keyClicks(ipEdit, ipText);
    QCOMPARE(mac->text(), macText);
    QCOMPARE(ipEdit->text(), ipText);

    const TestBlock defaults = block("c800a8c0" "000607080910");
    TestBlock b = block("01020304" "a1a2a3a4a5a6");
    m_header->store(b, kFields, defaults);
    QCOMPARE(mac->text(), macShown);
    QCOMPARE(ipEdit->text(), ipShown);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()) + 4, 6), macBytes);
    QCOMPARE(Bytes::get32(b.data(), 0), ip);
}

// A form with only the ToS/DSCP part (the loopback page) and a block with
// only those fields: nothing else is touched.
void TestHeaderSettings::partialForm()
{
    QWidget form;
    auto *tos = add<QGroupBox>(&form, "gToS");
    tos->setCheckable(true);
    tos->setChecked(false);
    add<QComboBox>(tos, "cbToS");
    add<QComboBox>(tos, "cbPrec");
    auto *dscp = add<QGroupBox>(&form, "gDSCP");
    dscp->setCheckable(true);
    dscp->setChecked(false);
    add<QComboBox>(dscp, "cbDSCP");
    HeaderSettings header(&form);

    HeaderFields fields;
    fields.mode = 12;
    fields.tos = 13;
    fields.dscp = 14;
    Block<40> b{};
    b.fill(0x5A);
    b[12] = 2;
    b[13] = 0x81;
    b[14] = 26 << 2;
    header.load(b, fields);
    QVERIFY(dscp->isChecked());
    QVERIFY(!tos->isEnabled());
    QCOMPARE(form.findChild<QComboBox *>("cbDSCP")->currentIndex(), 6);
    QCOMPARE(form.findChild<QComboBox *>("cbPrec")->currentIndex(), 4);

    Block<40> stored = b;
    header.store(stored, fields, Block<40>{});
    QCOMPARE(stored, b);
}

namespace {
class MarkTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "HeaderSettings")
            return QStringLiteral("<%1>").arg(QString::fromLatin1(source));
        return {};
    }
    bool isEmpty() const override { return false; }
};
} // namespace

void TestHeaderSettings::retranslateDefaultItem()
{
    auto *dscp = w<QComboBox>("cbDSCP");
    dscp->setCurrentIndex(19);
    MarkTranslator translator;
    QCoreApplication::installTranslator(&translator);
    m_header->retranslate();
    QCOMPARE(dscp->itemText(19), QStringLiteral("<default ( 000000 )>"));
    QCOMPARE(dscp->itemText(20), QStringLiteral("EF   ( 101110 )"));
    QCOMPARE(dscp->currentIndex(), 19);
    QCoreApplication::removeTranslator(&translator);
    m_header->retranslate();
    QCOMPARE(dscp->itemText(19), QStringLiteral("default ( 000000 )"));
}

QTEST_MAIN(TestHeaderSettings)
#include "tst_headersettings.moc"
