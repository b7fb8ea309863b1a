#include "tcpipform.h"
#include "ui_tcpipform.h"

#include "chartpane.h"
#include "conversions.h"
#include "livecharts.h"
#include "keptvalues.h"
#include "pinglayout.h"
#include "resultvalues.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"
#include "validators.h"
#include "zorqv.h"

#include <QRegularExpression>
#include <QTableWidgetItem>

#include <QMap>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QString kNoValue = QStringLiteral("---");
constexpr int kTraceRows = int(BlockSize::TracePageHops);
constexpr int kHopsKept = int(BlockSize::TraceResult / BlockSize::TraceHop); // 255

// The tabs' tests, in tab order.
const QList<PageIds> kTests = {
    PageIds{TestNo::Ping, ActiveTest::Ping, StateBit::Ping, true},
    PageIds{TestNo::Trace, ActiveTest::Trace, StateBit::Trace, true},
    PageIds{TestNo::Dns, ActiveTest::Dns, StateBit::Dns, true},
};

// What can be typed into a host name: the characters of host names, stored
// as ASCII. Whatever the field holds is written; a name the tester sent is
// shown as it came.
const QRegularExpression &hostCharacters()
{
    static const QRegularExpression re = Validators::exact(QStringLiteral("[A-Za-z0-9._-]*"));
    return re;
}

quint32 addressOrDefault(QLineEdit *edit, quint32 fallback)
{
    return Conv::textToIp(Validators::textOrDefault(edit, Conv::ipToText(fallback)));
}

} // namespace

TCPIPForm::TCPIPForm(Zorqv *device, QWidget *parent)
    : ProcessForm(device, kTests, parent)
    , ui(std::make_unique<Ui::TCPIPForm>())
    , m_procIcon(QStringLiteral(":/proc-icon.png"))
    , m_infoIcon(QStringLiteral(":/info-icon.png"))
    , m_okIcon(QStringLiteral(":/ok-icon.png"))
{
    ui->setupUi(this);
    installTableMenu(ui->tPingRes);
    installTableMenu(ui->tTraceRes);
    for (int i = 0; i < 2; ++i) {
        m_ping[i] = PingDefaults::Ping[i];
        m_trace[i] = PingDefaults::Trace[i];
        m_dns[i] = PingDefaults::Dns[i];
    }
    Validators::installIpv4(ui->lIP);
    Validators::installIpv4(ui->lIPdst);
    Validators::install(ui->lHost, hostCharacters());
    fitTableToRows(ui->tPingRes);
    fitTableToRows(ui->tTraceRes);
    ui->tabWidget->setCurrentIndex(PingTab);

    connect(ui->sPage, qOverload<int>(&QSpinBox::valueChanged), this, &TCPIPForm::sPageValue);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &TCPIPForm::curTabChanged);
    bindControls(PageControls{nullptr, nullptr, nullptr, ui->bStart, ui->bStop, ui->bApply,
                              ui->bReset, nullptr});
    m_latency = addLiveCharts(1, ui->pingTabLayout, PingTab)->addLines({0});
    nameCharts();
}

void TCPIPForm::nameCharts()
{
    if (!m_latency)
        return; // the form's texts are set before the charts exist
    m_latency->setTexts(tr("Latency per reply"), tr("Reply"), tr("Latency, ms"), {tr("Latency")},
                        {QStringLiteral("reply"), QStringLiteral("latency_ms")});
}

// One point per reply, at its sequence number, once it has an answer; a
// timeout leaves a gap.
void TCPIPForm::sample(quint8 proc, int test)
{
    if (test != PingTab)
        return;
    namespace F = PingResultField;
    const PingResultBlock &r = m_device->pingResult[proc & 1];
    QMap<quint16, double> replies;
    for (std::size_t i = 0; i < F::Rows; ++i) {
        const std::size_t row = F::row(i);
        const quint16 sequence = get16(r, row + F::Sequence);
        const quint8 status = get8(r, row + F::Status);
        if (sequence == 0 || status == PingStatus::Request)
            continue;
        replies.insert(sequence, status == PingStatus::Ok ? double(get32(r, row + F::Latency))
                                                          : std::numeric_limits<double>::quiet_NaN());
    }
    if (replies.isEmpty())
        return;
    LiveCharts *charts = liveCharts();
    const double last = charts->store(proc).lastTime();
    // Numbers all below the last one recorded: a run started elsewhere.
    if (!std::isnan(last) && replies.lastKey() < last)
        charts->start(proc);
    const double from = charts->store(proc).lastTime();
    for (auto it = replies.cbegin(); it != replies.cend(); ++it) {
        if (std::isnan(from) || it.key() > from)
            charts->record(proc, it.key(), {it.value()});
    }
}

TCPIPForm::~TCPIPForm() = default;

QString TCPIPForm::title(quint8 port) const
{
    switch (selectedTest()) {
    case TraceTab: return port ? tr("Trace test (Port B)") : tr("Trace test (Port A)");
    case DnsTab: return port ? tr("DNS test (Port B)") : tr("DNS test (Port A)");
    default: return port ? tr("Ping test (Port B)") : tr("Ping test (Port A)");
    }
}

void TCPIPForm::setTitles(quint8 port)
{
    ui->gPing->setTitle(port ? tr("Ping test (Port B)") : tr("Ping test (Port A)"));
    ui->gTrace->setTitle(port ? tr("Trace test (Port B)") : tr("Trace test (Port A)"));
    ui->gDNS->setTitle(port ? tr("DNS test (Port B)") : tr("DNS test (Port A)"));
}

void TCPIPForm::retranslateForm()
{
    const int tab = ui->tabWidget->currentIndex();
    ui->retranslateUi(this);
    ui->tabWidget->setCurrentIndex(tab);
    nameCharts();
}

void TCPIPForm::curTabChanged(int index)
{
    selectTest(index);
}

void TCPIPForm::sPageValue(int value)
{
    const quint8 proc = currentProc();
    m_device->traceHop[proc] = quint32(qBound(1, value, 32) - 1);
    showTrace(proc); // what is kept of that page until its next answer
}

void TCPIPForm::updateControls(quint32 s, quint32 o)
{
    ProcessForm::updateControls(s, o);
    // A lookup ends by itself; there is nothing to stop.
    if (selectedTest() == DnsTab)
        ui->bStop->setEnabled(false);
}

// Buffers: ping, trace and DNS of each process.

void TCPIPForm::takeTestConfig(quint8 proc, int test)
{
    proc &= 1;
    switch (test) {
    case PingTab: m_ping[proc] = m_device->pingConfig[proc]; break;
    case TraceTab: m_trace[proc] = m_device->traceConfig[proc]; break;
    case DnsTab: m_dns[proc] = m_device->dnsConfig[proc]; break;
    }
}

void TCPIPForm::giveTestConfig(quint8 proc, int test)
{
    proc &= 1;
    switch (test) {
    case PingTab: m_device->pingConfig[proc] = m_ping[proc]; break;
    case TraceTab: m_device->traceConfig[proc] = m_trace[proc]; break;
    case DnsTab: m_device->dnsConfig[proc] = m_dns[proc]; break;
    }
}

void TCPIPForm::showTestConfig(quint8 proc, int test)
{
    proc &= 1;
    switch (test) {
    case PingTab:
        ui->lIP->setText(Conv::ipToText(get32(m_ping[proc], PingConfigField::IpDst)));
        ui->lFrame->setText(QStringLiteral("%1").arg(get16(m_ping[proc], PingConfigField::FrameSize)));
        Kept::showSpin(ui->sPause, get16(m_ping[proc], PingConfigField::Pause));
        break;
    case TraceTab:
        ui->lIPdst->setText(Conv::ipToText(get32(m_trace[proc], TraceConfigField::IpDst)));
        Kept::showSpin(ui->sDelay, get16(m_trace[proc], TraceConfigField::Pause));
        break;
    case DnsTab:
        // setText clears the modified flag: a name longer than the field
        // can show is then written back whole unless the user edits it.
        ui->lHost->setText(ResultValues::fieldText(m_dns[proc].data(), DnsConfigField::NameSize));
        break;
    }
}

void TCPIPForm::showConfig(quint8 proc)
{
    for (int test : {PingTab, TraceTab, DnsTab})
        showTestConfig(proc, test);
    const QSignalBlocker quiet(ui->sPage);
    ui->sPage->setValue(int(qMin<quint32>(m_device->traceHop[proc & 1], 31)) + 1);
}

void TCPIPForm::storeConfig(quint8 proc)
{
    proc &= 1;
    put32(m_ping[proc], PingConfigField::IpDst,
          addressOrDefault(ui->lIP, get32(PingDefaults::Ping[proc], PingConfigField::IpDst)));
    put16(m_ping[proc], PingConfigField::Pause, quint16(Kept::spinValue(ui->sPause, get16(m_ping[proc], PingConfigField::Pause))));
    put32(m_trace[proc], TraceConfigField::IpDst,
          addressOrDefault(ui->lIPdst, get32(PingDefaults::Trace[proc], TraceConfigField::IpDst)));
    put16(m_trace[proc], TraceConfigField::Pause, quint16(Kept::spinValue(ui->sDelay, get16(m_trace[proc], TraceConfigField::Pause))));
    if (ui->lHost->isModified()) {
        const QByteArray name = ui->lHost->text().toLatin1();
        const std::size_t n = qMin<std::size_t>(std::size_t(name.size()), DnsConfigField::NameSize - 1);
        std::memcpy(m_dns[proc].data(), name.constData(), n);
        m_dns[proc][n] = 0; // what follows the terminator stays as it was
    }
}

// Results.

void TCPIPForm::showTestResult(quint8 proc, int test)
{
    switch (test) {
    case PingTab: showPing(proc); break;
    case TraceTab: showTrace(proc); break;
    case DnsTab: showDns(proc); break;
    }
}

void TCPIPForm::ping_res_rcv(unsigned char p)
{
    if (p <= 1)
        showPing(p);
}

void TCPIPForm::trace_res_rcv(unsigned char p)
{
    if (p <= 1)
        showTrace(p);
}

void TCPIPForm::dns_res_rcv(unsigned char p)
{
    if (p <= 1)
        showDns(p);
}

void TCPIPForm::showPing(quint8 proc)
{
    namespace F = PingResultField;
    const PingResultBlock &r = m_device->pingResult[proc & 1];
    const QStringList statuses = ResultValues::pingStatusTexts();
    for (int i = 0; i < int(F::Rows); ++i) {
        const std::size_t row = F::row(std::size_t(i));
        const quint8 status = get8(r, row + F::Status);
        const quint16 sequence = get16(r, row + F::Sequence);
        if (sequence == 0) {
            for (int column : {PingNumber, PingStatus, PingLatency})
                setCellText(ui->tPingRes, i, column, kNoValue);
            continue;
        }
        setCellText(ui->tPingRes, i, PingNumber, QString::number(sequence));
        setCellText(ui->tPingRes, i, PingStatus, ResultValues::pingStatusText(statuses, status));
        setCellText(ui->tPingRes, i, PingLatency,
                    status == PingStatus::Ok ? QString::number(get32(r, row + F::Latency)) : kNoValue);
    }
    namespace S = PingStatsField;
    const PingStatsBlock &st = m_device->pingStats[proc & 1];
    const quint32 sent = get32(st, S::Sent);
    const quint32 received = get32(st, S::Received);
    ui->lSent->setText(QString::number(sent));
    ui->lReceive->setText(QString::number(received));
    ui->lLost->setText(QString::number(ResultValues::Ping::lost(sent, received)));
    ui->lAvrg->setText(QStringLiteral("%1").arg(double(ResultValues::Ping::average(st)), 0, 'g', -1));
    ui->lMax->setText(QString::number(get32(st, S::Maximum)));
    ui->lMin->setText(QString::number(ResultValues::Ping::minimum(get32(st, S::Minimum))));
}

void TCPIPForm::showTrace(quint8 proc)
{
    namespace F = TraceHopField;
    const TraceResultBlock &r = m_device->traceResult[proc & 1];
    const int page = int(qMin<quint32>(m_device->traceHop[proc & 1], 31));
    for (int row = 0; row < kTraceRows; ++row) {
        const int k = page * kTraceRows + row;
        // Hop 255, the last row of page 32, is not kept: an empty row.
        const quint8 status = k < kHopsKept ? get8(r, F::hop(std::size_t(k)) + F::Status) : 0;
        const std::size_t hop = k < kHopsKept ? F::hop(std::size_t(k)) : 0;
        const bool answered = ResultValues::Trace::answered(status);
        setCellText(ui->tTraceRes, row, HopNumber,
                    status == TraceStatus::Empty ? QString() : QString::number(get8(r, hop + F::Number)));
        setCellText(ui->tTraceRes, row, HopAddress,
                    ResultValues::Trace::hopText(status, status ? get32(r, hop + F::Address) : 0));
        setCellText(ui->tTraceRes, row, HopLatency,
                    answered ? QString::number(get32(r, hop + F::Latency)) : QString());
        if (QTableWidgetItem *cell = tableCell(ui->tTraceRes, row, HopAddress)) {
            cell->setIcon(answered                          ? m_okIcon
                          : status == TraceStatus::Probing ? m_procIcon
                          : status == TraceStatus::Timeout ? m_infoIcon
                                                           : QIcon());
        }
    }
}

void TCPIPForm::showDns(quint8 proc)
{
    namespace F = DnsResultField;
    const DnsResultBlock &r = m_device->dnsResult[proc & 1];
    const quint8 status = get8(r, F::Status);
    const QString zero = Conv::ipToText(0);
    switch (status) {
    case DnsStatus::None:
        ui->lHostRes->clear();
        ui->lIPres->setText(zero);
        ui->lStatus->clear();
        break;
    case DnsStatus::Passed:
    case DnsStatus::InProgress:
    case DnsStatus::Error:
        ui->lHostRes->setText(ResultValues::fieldText(r.data() + F::Name, F::NameSize));
        ui->lIPres->setText(status == DnsStatus::Passed ? Conv::ipToText(get32(r, F::Address), true) : zero);
        ui->lStatus->setText(ResultValues::Dns::statusText(status));
        break;
    default:
        break; // an unknown status changes nothing
    }
}
