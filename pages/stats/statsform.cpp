#include "statsform.h"
#include "ui_statsform.h"

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
}

StatsForm::~StatsForm() = default;

void StatsForm::retranslate()
{
    ui->retranslateUi(this);
}

void StatsForm::status_upd()
{
    DeviceForm::status_upd();
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
    Q_EMIT start_test(requestCode(test(), 0));
}
