#include "statsform.h"
#include "ui_statsform.h"

#include "chartpane.h"
#include "livecharts.h"
#include "statslayout.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QHeaderView>

namespace {

enum Column { Rx, Tx };
constexpr int kPortBColumn = 1; // of the receive-error table
constexpr int kCounterWidth = 85; // ten digits: the largest 32-bit counter

} // namespace

StatsForm::StatsForm(Zorqv *device, QWidget *parent)
    : DeviceForm(device, TestNo::Stats, ActiveTest::Stats, {0}, parent)
    , ui(std::make_unique<Ui::StatsForm>())
{
    ui->setupUi(this);
    for (QTableWidget *t : {ui->tCommons, ui->tFramet, ui->tLevels, ui->tFramesA, ui->tFramesB, ui->tRxerr}) {
        t->horizontalHeader()->setDefaultSectionSize(kCounterWidth);
        fitTableToRows(t);
        installTableMenu(t);
    }
    connect(ui->bResetStats, &QPushButton::clicked, this, &StatsForm::bResetStatsClicked);
    bindControls(ui->bApply, ui->bReset);
    // Rx and Tx bit rates of each port, both ports side by side.
    m_charts = new LiveCharts(2, ui->pageLayout, this);
    for (int p = 0; p < 2; ++p)
        m_port[p] = m_charts->addLines({Rx, Tx}, false, p);
    m_clock.start();
    nameCharts();
}

void StatsForm::nameCharts()
{
    if (!m_port[0])
        return; // the form's texts are set before the charts exist
    // The port in the names too: a short chart shows no title.
    const QStringList keys{QStringLiteral("time_s"), QStringLiteral("rxRate_bps"), QStringLiteral("txRate_bps")};
    m_port[0]->setTexts(tr("Port A"), tr("Time, s"), tr("bps"), {tr("Rx, port A"), tr("Tx, port A")}, keys);
    m_port[1]->setTexts(tr("Port B"), tr("Time, s"), tr("bps"), {tr("Rx, port B"), tr("Tx, port B")}, keys);
}

void StatsForm::sample(quint8 p)
{
    namespace F = StatsResultField;
    const StatsResultBlock &r = m_device->statsResult[p & 1];
    const double t = double(m_clock.elapsed()) / 1000;
    const double rx = m_charts->rate(p, Rx, get32(r, F::rx(F::Bytes))) * 8;
    const double tx = m_charts->rate(p, Tx, get32(r, F::tx(F::Bytes))) * 8;
    m_charts->record(p, t, {rx, tx});
}

StatsForm::~StatsForm() = default;

void StatsForm::retranslate()
{
    ui->retranslateUi(this);
    nameCharts();
    m_charts->retranslate();
}

void StatsForm::status_upd()
{
    DeviceForm::status_upd();
    if (!m_device->connected)
        m_charts->linkLost();
    // Also here, not only with the configuration: a reconnect may bring the
    // other model while the page is open.
    applyModel();
}

void StatsForm::applyModel()
{
    const bool portB = !m_device->isQvb;
    for (int row : {2, 3}) {
        ui->tCommons->setRowHidden(row, !portB);
        ui->tLevels->setRowHidden(row, !portB);
    }
    for (int row = 4; row < 8; ++row)
        ui->tFramet->setRowHidden(row, !portB);
    ui->gPortB->setVisible(portB);
    ui->tRxerr->setColumnHidden(kPortBColumn, !portB);
    m_port[1]->setVisible(portB);
}

void StatsForm::cfg_rcv(unsigned short code)
{
    if ((code & 0xFF) != test())
        return;
    m_autoReset = m_device->statsFlag;
    ui->cRst->setChecked(m_autoReset);
    applyModel();
    configArrived(0);
}

void StatsForm::res_rcv(unsigned short code)
{
    const unsigned port = code >> 8;
    if ((code & 0xFF) != test() || port > 1)
        return;
    sample(quint8(port));
    showPort(quint8(port));
}

void StatsForm::showPort(quint8 p)
{
    namespace F = StatsResultField;
    const StatsResultBlock &r = m_device->statsResult[p];
    const auto put = [&r](QTableWidget *table, int row, std::size_t field) {
        setCellText(table, row, Rx, QString::number(get32(r, F::rx(field))));
        setCellText(table, row, Tx, QString::number(get32(r, F::tx(field))));
    };
    put(ui->tCommons, 2 * p, F::Frames);
    put(ui->tCommons, 2 * p + 1, F::Bytes);
    put(ui->tFramet, 4 * p, F::Broadcast);
    put(ui->tFramet, 4 * p + 1, F::Multicast);
    put(ui->tFramet, 4 * p + 2, F::Unicast);
    put(ui->tFramet, 4 * p + 3, F::Pause);
    // The L3 rows stay empty: the block has no layer-3 count of its own.
    put(ui->tLevels, 2 * p, F::Level);
    QTableWidget *sizes = p ? ui->tFramesB : ui->tFramesA;
    for (std::size_t i = 0; i < F::SizeClasses; ++i)
        put(sizes, int(i), F::sizeClass(i));
}

void StatsForm::storeConfig()
{
    m_autoReset = ui->cRst->isChecked();
    m_device->statsFlag = m_autoReset;
}

void StatsForm::bResetStatsClicked()
{
    // The counters start again from zero: so do the rates.
    m_charts->start(0);
    m_charts->start(1);
    Q_EMIT start_test(requestCode(test(), 0));
}
