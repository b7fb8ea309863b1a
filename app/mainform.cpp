#include "mainform.h"
#include "ui_mainform.h"

#include "inputcheck.h"
#include "mainmenu.h"
#include "serialaccess.h"
#include "testform.h"
#include "testcodes.h"
#include "testerwiring.h"
#include "testpages.h"
#include "validators.h"
#include "conversions.h"
#include "iflayout.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QHostAddress>

#include <cmath>

namespace {

// The tester's remote-control port as it leaves the factory: 192.168.000.202.
QString defaultAddress()
{
    return Conv::ipToText(get32(IfaceDefaults::Iface[IfaceIndex::RemoteControl], IfaceConfigField::Ip));
}

const QString kBlackStyle = QStringLiteral("background-color: rgb(0, 0, 0);color: rgb(0, 170, 255);");
const QString kLinkUpStyle =
    QStringLiteral("background-color: rgb(255, 255, 255);color: rgb(0, 170, 255);");
const QString kRxOnStyle = QStringLiteral("background-color: rgb(0, 255, 0);color: rgb(0, 170, 255);");
const QString kTxOnStyle =
    QStringLiteral("background-color: rgb(255, 255, 0);color: rgb(0, 170, 255);");

QString testStyle(quint32 word)
{
    QString style = QStringLiteral("color: rgb(0, 170, 255);");
    if (word == 0)
        style += QLatin1String("background-color: rgb(0, 0, 0);");
    else if (word & (StateBit::tx(StateBit::Loopback) | StateBit::tx(StateBit::Transit)))
        style += QLatin1String("background-color: rgb(255, 255, 255);");
    else if (!(word & StateBit::TxMask))
        style += QLatin1String("background-color: rgb(0, 255, 0);");
    else
        style += QLatin1String("background-color: rgb(255, 255, 0);");
    return style;
}

// The short name of the test a state word shows, first match wins; a bit
// stands for the transmit side, the same bit 16 higher for the receive side.
QString testText(quint32 word, quint8 loopLevel)
{
    struct Name
    {
        int bit;
        const char *text;
    };
    static const Name names[] = {
        {StateBit::Traffic, "TRAF"}, {StateBit::Rfc, "RFC"},       {StateBit::Jitter, "JIT"},
        {StateBit::Cable, "CAB"},    {StateBit::Loopback, nullptr}, {StateBit::Transit, "THRU"},
        {StateBit::Ping, "PING"},    {StateBit::Trace, "TRT"},      {StateBit::Bert, "BERT"},
        {StateBit::Dns, "DNS"},      {StateBit::Oam, "OAM"},        {StateBit::Multi, "MS"},
    };
    for (const Name &n : names) {
        if (!(word & (StateBit::tx(n.bit) | StateBit::rx(n.bit))))
            continue;
        if (!n.text) // loopback shows its level, nothing at level 0
            return loopLevel ? QStringLiteral("LB%1").arg(loopLevel) : QString();
        return QString::fromLatin1(n.text);
    }
    return QString();
}

QString topologyText(quint8 value, int port)
{
    switch (value) {
    case 0:
        return port == 0 ? QStringLiteral("A->B") : QStringLiteral("B->A");
    case 1:
        return port == 0 ? QStringLiteral("A->A") : QStringLiteral("B->B");
    default:
        return QStringLiteral("---");
    }
}

QString rateText(quint32 bytesPerSecond)
{
    const double v = bytesPerSecond;
    if (bytesPerSecond < 125)
        return QStringLiteral("%1 ").arg(v * 8, 0, 'f', 3) + MainForm::tr("bps");
    if (bytesPerSecond < 125000)
        return QStringLiteral("%1 ").arg(v / 125, 0, 'f', 3) + MainForm::tr("Kbps");
    return QStringLiteral("%1 ").arg(v / 125000, 0, 'f', 3) + MainForm::tr("Mbps");
}

} // namespace

MainForm::MainForm(QWidget *parent, quint16 tcpPort)
    : QWidget(parent)
    , ui(new Ui::MainForm)
    , m_tcp(nullptr, tcpPort)
{
    if (!m_translatorEn.load(QStringLiteral("QVRemote_en"), QStringLiteral(":/")))
        qWarning() << "QVRemote: English translation missing";
    if (!m_translatorRu.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")))
        qWarning() << "QVRemote: Russian translation missing";
    if (m_qtTranslatorRu.load(QStringLiteral("qtbase_ru"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslatorRu);
    QCoreApplication::installTranslator(&m_translatorRu);

    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/app-icon.png")));
    Validators::installIpv4(ui->iIP);
    ui->iIP->setText(defaultAddress());
    setWindowState(windowState() | Qt::WindowMaximized);
    connect(ui->bEng, &QPushButton::clicked, this, &MainForm::bEngClicked);
    connect(ui->bRus, &QPushButton::clicked, this, &MainForm::bRusClicked);

    connect(&m_serial, &Serial::show_debug, &m_debugForm, &DebugForm::show_debug);
    // Built with the other members, before a translator was installed.
    m_debugForm.retranslate();
    // The debug window is an aside: closing the main window ends the program.
    m_debugForm.setAttribute(Qt::WA_QuitOnClose, false);

    m_menu = new MainMenu(this);
    layout()->setMenuBar(m_menu);
    connect(m_menu, &MainMenu::change_font, this, &MainForm::change_font);

    ui->cSerPort->addItems(Serial::portList());

    ui->gDebug->hide();

    connect(ui->bRead, &QPushButton::clicked, this, &MainForm::bReadClicked);
    connect(ui->bWrite, &QPushButton::clicked, this, &MainForm::bWriteClicked);
    connect(ui->bProcA, &QPushButton::clicked, this, &MainForm::bProcAClicked);
    connect(ui->bProcB, &QPushButton::clicked, this, &MainForm::bProcBClicked);
    connect(ui->bSerConnect, &QPushButton::clicked, this, &MainForm::bSerConnectClicked);
    connect(ui->bSerDisc, &QPushButton::clicked, &m_engine, &OldProto::disc_qv);
    connect(ui->bEthConnect, &QPushButton::clicked, this, &MainForm::bEthConnectClicked);
    connect(ui->bEthDisc, &QPushButton::clicked, &m_engine, &OldProto::disc_qv);

    connect(&m_engine, &OldProto::status_upd, this, &MainForm::status_upd);
    connect(&m_engine, &OldProto::qv_conn, this, &MainForm::qv_conn);
    connect(&m_engine, &OldProto::qv_disc, this, &MainForm::qv_disc);
    connect(this, &MainForm::debug_fpga_rw, &m_engine, &OldProto::debug_fpga_rw);
    connect(&m_engine, &OldProto::debug_fpga_rcv, this, &MainForm::debug_fpga_rcv);

    wireTester(m_device, m_engine, m_serial, m_tcp);
    connect(&m_device, &Zorqv::download_failed, this, &MainForm::showWarning);
    connect(&m_device, &Zorqv::report_finished, this, &MainForm::showReportOutcome);
    connect(&m_engine, &OldProto::link_lost, this, &MainForm::showWarning);

    buildTestList();
    qv_disc();
}

MainForm::~MainForm()
{
    // Pages point at the device record; they go before the members do.
    qDeleteAll(m_pages);
    m_pages.clear();
    delete ui;
}

void MainForm::buildTestList()
{
    for (const TestPageEntry &entry : testPages) {
        auto *button = new QPushButton(ui->groupBox_7);
        button->setObjectName(QLatin1String(entry.button));
        button->setCheckable(true);
        button->setIcon(QIcon(QLatin1String(entry.icon)));
        button->setIconSize(QSize(28, 28));
        ui->verticalLayout_tests->addWidget(button);
        m_testButtons << button;

        TestForm *page = entry.create ? entry.create(&m_device, ui->fMain) : nullptr;
        m_pages << page;
        // Connected first, so the other pages are hidden before this one shows.
        connect(button, &QPushButton::clicked, this, [this, button] { bTestClicked(button); });
        if (!page) {
            button->setEnabled(false);
            continue;
        }
        page->hide();
        ui->verticalLayout_main->addWidget(page);
        connect(button, &QPushButton::clicked, page, &TestForm::activate);
        connect(&m_engine, &OldProto::status_upd, page, &TestForm::status_upd);
        connect(this, &MainForm::switch_proc, page, &TestForm::switch_proc);
        connect(&m_engine, &OldProto::res_rcv, page, &TestForm::res_rcv);
        connect(&m_engine, &OldProto::cfg_rcv, page, &TestForm::cfg_rcv);
        connect(page, &TestForm::start_test, &m_engine, &OldProto::start_test);
        connect(page, &TestForm::gs_cfg, &m_engine, &OldProto::gs_cfg);
    }
    retranslateTestButtons();
    // The transit page is reached from the tester itself, never from here.
    findChild<QPushButton *>(QStringLiteral("bTransit"))->hide();
}

void MainForm::retranslateTestButtons()
{
    for (qsizetype i = 0; i < m_testButtons.size(); ++i) {
        m_testButtons[i]->setText(tr(testPages[i].caption));
    }
}

void MainForm::showDeveloperControls()
{
    ui->gDebug->show();
    // Transit is otherwise reached from the tester only; developers test it here.
    findChild<QPushButton *>(QStringLiteral("bTransit"))->show();
    m_debugForm.showMaximized();
}

void MainForm::connectEthernet(const QString &address)
{
    ui->iIP->setText(address);
    bEthConnectClicked();
}

QString MainForm::connectSerial(const QString &port)
{
    ui->cSerPort->setEditText(port);
    return serialConnect();
}

QString MainForm::serialPortProblem(const QString &name)
{
    if (name.isEmpty())
        return tr("Type or choose the serial port of the tester.");
    if (!QFileInfo::exists(Serial::devicePath(name)))
        return tr("%1: there is no such serial port.").arg(name);
    return {};
}

QString MainForm::serialOpenProblem(const QString &name) const
{
    switch (m_serial.openError()) {
    case QSerialPort::NoError:
        return {};
    case QSerialPort::DeviceNotFoundError:
        return tr("%1: there is no such serial port.").arg(name);
    case QSerialPort::PermissionError: {
        const QString group = SerialAccess::groupToJoin(name);
        if (!group.isEmpty())
            return tr("%1: you may not use this serial port. Serial ports belong to the %2 group: "
                      "add yourself to it (sudo adduser $USER %2) and log in again.")
                .arg(name, group);
        [[fallthrough]]; // refused for another reason: in use elsewhere
    }
    case QSerialPort::OpenError:
        return tr("%1 is busy or you may not use it: close the program that uses it, or ask for access to it.")
            .arg(name);
    default:
        return tr("%1 cannot be opened as a serial port (%2).").arg(name, m_serial.openErrorString());
    }
}

void MainForm::bSerConnectClicked()
{
    serialConnect();
}

QString MainForm::serialConnect()
{
    const QString port = ui->cSerPort->currentText().trimmed();
    QString problem = serialPortProblem(port);
    if (problem.isEmpty()) {
        m_serial.conn_port(port);
        problem = serialOpenProblem(port);
    }
    if (!problem.isEmpty()) {
        // What was typed stays, to be corrected.
        ui->cSerPort->setFocus();
        InputCheck::warn(this, problem);
        return problem;
    }
    ui->gEthernet->setEnabled(false);
    return {};
}

void MainForm::bEthConnectClicked()
{
    // An address the pattern does not take falls back to the default one.
    Validators::textOrDefault(ui->iIP, defaultAddress());
    // Disabled before the call: a refused connection may report back at once.
    ui->gSerial->setEnabled(false);
    // The field shows octets zero-padded ("192.168.000.202"), but the socket
    // layer reads a leading zero as octal; the tester is addressed by the
    // decimal value the user sees.
    m_tcp.conn_sock(QHostAddress(Conv::textToIp(ui->iIP->text())).toString());
}

void MainForm::setRecorder(SessionRecorder *recorder)
{
    recordTester(m_device, m_engine, m_serial, m_tcp, recorder);
    m_menu->setRecorder(recorder);
}

void MainForm::qv_conn()
{
    m_device.curProc = 0;
    const QString model = QStringLiteral("ZORT-QVB");
    const QString release = QStringLiteral("1.5");
    if (!(m_device.isQvb && m_device.release == release) && !m_releaseWarning) {
        // Window-modal and not waited for: this runs inside the engine's
        // reply handling, which must not be re-entered from a nested loop.
        m_releaseWarning = InputCheck::warn(this, tr("Compiled for %1 release version %2").arg(model, release));
    }
    ui->gDebug->setEnabled(true);
    if (m_device.linkType == 1) {
        ui->bSerConnect->hide();
        ui->bSerDisc->show();
        ui->cSerPort->setEnabled(false);
    } else if (m_device.linkType == 2) {
        ui->bEthConnect->hide();
        ui->bEthDisc->show();
        ui->iIP->setEnabled(false);
    }
    const bool twoPorts = !m_device.isQvb;
    ui->gPortA->show();
    ui->gPortB->setVisible(twoPorts);
    ui->fControl->setEnabled(true);
    ui->gProcess->setVisible(twoPorts);
    for (qsizetype i = 0; i < m_testButtons.size(); ++i) {
        if (m_testButtons[i]->objectName() == QLatin1String("bTransit"))
            m_testButtons[i]->setEnabled(twoPorts && m_pages[i]);
    }
    m_device.startStatusTimer();
    showHint();
}

void MainForm::qv_disc()
{
    ui->gSerial->setEnabled(true);
    ui->bSerConnect->show();
    ui->bSerDisc->hide();
    ui->cSerPort->setEnabled(true);
    ui->gEthernet->setEnabled(true);
    ui->bEthConnect->show();
    ui->bEthDisc->hide();
    ui->iIP->setEnabled(true);
    ui->gDebug->setEnabled(false);
    ui->gPortA->hide();
    ui->gPortB->hide();
    ui->gProcess->hide();
    ui->fControl->setEnabled(false);
    ui->bProcA->setChecked(true);
    ui->bProcB->setChecked(false);
    m_device.stopStatusTimer();
    m_device.curProc = 0;
    for (TestForm *page : std::as_const(m_pages)) {
        if (page)
            page->hide();
    }
    m_device.activeTest = 0;
    for (QPushButton *button : std::as_const(m_testButtons))
        button->setChecked(false);
    showHint();
}

void MainForm::showWarning(const QString &text)
{
    // One box for what went wrong together (a download stopped because the
    // link went): each further line joins the box still open.
    if (m_warning && m_warning->isVisible()) {
        m_warning->setText(m_warning->text() + u'\n' + text);
        return;
    }
    // Not waited for: this runs inside the engine's reply handling or a
    // transport's close.
    m_warning = InputCheck::warn(this, text);
}

void MainForm::showReportOutcome(const ReportOutcome &outcome)
{
    // Modal, but the event loop (and the tester's poll) goes on; it stands
    // apart from the window, as the reports do.
    auto *box = new QMessageBox(outcome.ok() ? QMessageBox::Information : QMessageBox::Warning, QString(),
                                outcome.message(), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(true);
    box->open();
}

// Fills the page area while no page is open, saying what to do next.
void MainForm::showHint()
{
    ui->lHint->setText(m_device.connected ? tr("Choose a test on the left.")
                                          : tr("Connect to the tester over a serial port or Ethernet."));
    ui->lHint->show();
}

void MainForm::bProcAClicked()
{
    ui->bProcA->setChecked(true);
    ui->bProcB->setChecked(false);
    if (m_device.curProc != 0) {
        m_device.curProc = 0;
        Q_EMIT switch_proc(0);
    }
}

void MainForm::bProcBClicked()
{
    ui->bProcB->setChecked(true);
    ui->bProcA->setChecked(false);
    if (m_device.curProc != 1) {
        m_device.curProc = 1;
        Q_EMIT switch_proc(1);
    }
}

void MainForm::bTestClicked(QAbstractButton *button)
{
    for (QPushButton *b : std::as_const(m_testButtons))
        b->setChecked(false);
    for (TestForm *page : std::as_const(m_pages)) {
        if (page)
            page->hide();
    }
    m_device.activeTest = 0;
    ui->lHint->hide();
    button->setChecked(true);
}

QString MainForm::deviceInfo() const
{
    const Zorqv &d = m_device;
    return tr("Device") + QStringLiteral(": %1\n").arg(d.isQvb ? QStringLiteral("ZORT-QVB")
                                                              : QStringLiteral("ZORT-QV"))
        + tr("Serial") + QStringLiteral(": %1\n").arg(d.serialNumber)
        + QStringLiteral("CPU: %1.%2.%3 ").arg(d.cpuVersion[0]).arg(d.cpuVersion[1]).arg(d.cpuVersion[2])
        + QStringLiteral("FPGA: %1.%2.%3 \n").arg(d.fpgaVersion[0]).arg(d.fpgaVersion[1]).arg(d.fpgaVersion[2])
        + tr("Release") + QStringLiteral(": ") + d.release;
}

void MainForm::status_upd()
{
    if (!m_device.connected) {
        ui->lSerInfo->clear();
        ui->lEthInfo->clear();
        return;
    }
    QLabel *info = m_device.linkType == 1 ? ui->lSerInfo
        : m_device.linkType == 2          ? ui->lEthInfo
                                          : nullptr;
    if (info && info->text().isEmpty())
        info->setText(deviceInfo());

    showPort(0, {ui->lAtest, ui->lArx, ui->lAtx, ui->lAlink, ui->lAtopol, ui->lARxTxSpeed});
    if (!m_device.isQvb)
        showPort(1, {ui->lBtest, ui->lBrx, ui->lBtx, ui->lBlink, ui->lBtopol, ui->lBRxTxSpeed});
}

void MainForm::showPort(int port, const PortLabels &labels)
{
    const Zorqv &d = m_device;
    const quint8 speed = d.linkSpeed[port];
    if (speed != 0 && d.statusByte8 == 0) {
        QString text = QString::number(std::pow(10.0, speed));
        if (d.duplex != 0) {
            const int nibble = (d.duplex >> (4 * port)) & 0x0F;
            text += nibble == 1 ? QLatin1Char('H') : QLatin1Char('F');
        }
        labels.link->setText(text);
        labels.link->setStyleSheet(kLinkUpStyle);
    } else {
        labels.link->setText(QStringLiteral("NS"));
        labels.link->setStyleSheet(kBlackStyle);
    }

    const quint32 word = d.procState[port];
    labels.rx->setStyleSheet(word & StateBit::RxMask ? kRxOnStyle : kBlackStyle);
    labels.tx->setStyleSheet(word & StateBit::TxMask ? kTxOnStyle : kBlackStyle);
    labels.test->setStyleSheet(testStyle(word));
    labels.test->setText(testText(word, d.loopLevel[port]));
    labels.topology->setText(topologyText(d.topology[port], port));
    labels.rates->setText(QStringLiteral("Tx: ") + rateText(d.txRate[port]) + QLatin1Char('\n')
                          + QStringLiteral("Rx: ") + rateText(d.rxRate[port]));
}

void MainForm::bReadClicked()
{
    if (!InputCheck::confirmField(ui->lAddress))
        return;
    const uint address = ui->lAddress->text().toUInt(nullptr, 16) & 0xFFFF;
    Q_EMIT debug_fpga_rw(address);
}

void MainForm::bWriteClicked()
{
    if (!InputCheck::confirmField(ui->lAddress) || !InputCheck::confirmField(ui->lValue))
        return;
    const uint address = ui->lAddress->text().toUInt(nullptr, 16) & 0xFFFF;
    const uint value = ui->lValue->text().toUInt(nullptr, 16);
    Q_EMIT debug_fpga_rw(address + (value << 16) + 0x1000000);
}

void MainForm::debug_fpga_rcv(uint w)
{
    ui->lAddress->setText(QStringLiteral("%1").arg(w & 0xFFFF, 4, 16, QLatin1Char('0')));
    ui->lValue->setText(QStringLiteral("%1").arg((w >> 16) & 0xFF, 2, 16, QLatin1Char('0')));
}

void MainForm::bEngClicked()
{
    QCoreApplication::removeTranslator(&m_translatorRu);
    QCoreApplication::removeTranslator(&m_qtTranslatorRu);
    QCoreApplication::installTranslator(&m_translatorEn);
    retranslate();
}

void MainForm::bRusClicked()
{
    QCoreApplication::removeTranslator(&m_translatorEn);
    if (!m_qtTranslatorRu.isEmpty())
        QCoreApplication::installTranslator(&m_qtTranslatorRu);
    QCoreApplication::installTranslator(&m_translatorRu);
    retranslate();
}

void MainForm::retranslate()
{
    ui->retranslateUi(this);
    retranslateTestButtons();
    if (ui->lHint->isVisibleTo(this))
        showHint();
    m_menu->retranslate();
    m_debugForm.retranslate();
    for (TestForm *page : std::as_const(m_pages)) {
        if (page)
            page->retranslate();
    }
    // The device information is built once per connection; build it again
    // in the new language, and the rates with their units.
    if (m_device.connected) {
        ui->lSerInfo->clear();
        ui->lEthInfo->clear();
        status_upd();
    }
}

void MainForm::change_font(const QFont &font)
{
    QString sheet = QStringLiteral("font: ");
    if (font.weight() > QFont::Normal)
        sheet += QLatin1String("bold ");
    if (font.style() != QFont::StyleNormal)
        sheet += QLatin1String("italic ");
    if (font.pointSize() > 0)
        sheet += QStringLiteral("%1pt ").arg(font.pointSize());
    else
        sheet += QStringLiteral("%1px ").arg(font.pixelSize());
    sheet += QStringLiteral("\"%1\";").arg(font.family());
    setStyleSheet(sheet);
}
