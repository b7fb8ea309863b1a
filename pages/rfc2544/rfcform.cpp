#include "rfcform.h"
#include "chartpane.h"
#include "ui_rfcform.h"

#include "headersettings.h"
#include "keptvalues.h"
#include "resultvalues.h"
#include "rfclayout.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTime>

#include <cmath>

namespace {

namespace C = RfcConfigField;
namespace S = RfcSummaryField;
namespace RV = ResultValues;

constexpr int kColumnWidth = 70;
constexpr int kFrameLossColumnWidth = 90;
constexpr int kMaxRate = 100;

template <typename W>
W *child(QWidget *form, const QString &name)
{
    W *w = form->findChild<W *>(name);
    Q_ASSERT(w);
    return w;
}

void setUpTable(QTableWidget *table, int width)
{
    table->horizontalHeader()->setDefaultSectionSize(width);
    // Never narrower than the column's caption.
    for (int c = 0; c < table->columnCount(); ++c)
        table->setColumnWidth(c, qMax(width, table->horizontalHeader()->sectionSizeHint(c)));
    fitTableToRows(table);
}

} // namespace

RfcForm::RfcForm(Zorqv *device, QWidget *parent)
    : BlockForm(device, PageIds{TestNo::Rfc, ActiveTest::Rfc, StateBit::Rfc, true}, &Zorqv::rfcConfig, parent)
    , ui(std::make_unique<Ui::RfcForm>())
    , m_status(RV::statusTexts())
{
    ui->setupUi(this);
    installTableMenu(ui->tThrRes);
    installTableMenu(ui->tFrlRes);
    installTableMenu(ui->tLatRes);
    installTableMenu(ui->tBtbRes);
    m_header = bindHeader(this);
    for (int k = 0; k < Slots; ++k) {
        const QString n = QString::number(k + 1);
        m_slotOn[k] = child<QCheckBox>(this, QStringLiteral("cf") + n);
        m_slotSize[k] = child<QSpinBox>(this, QStringLiteral("sf") + n);
        m_userLoad[k] = child<QSpinBox>(this, k == 0 ? QStringLiteral("spinBox") : QStringLiteral("spinBox_") + n);
        m_userLabel[k] = child<QLabel>(this, QStringLiteral("label_%1").arg(20 + k));
        // The user loads are per frame size: their labels follow the sizes.
        connect(m_slotSize[k], qOverload<int>(&QSpinBox::valueChanged), m_userLabel[k],
                [label = m_userLabel[k]](int size) { label->setText(QStringLiteral("%1").arg(size)); });
    }
    for (QTableWidget *t : {ui->tThrRes, ui->tLatRes, ui->tBtbRes})
        setUpTable(t, kColumnWidth);
    setUpTable(ui->tFrlRes, kFrameLossColumnWidth);

    connect(ui->bDefault, &QPushButton::clicked, this, &RfcForm::bDefaultClicked);
    connect(ui->sFrlsnum, qOverload<int>(&QSpinBox::valueChanged), this, &RfcForm::sFrlsnumValue);
    bindControls(PageControls{ui->gRFC, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop, ui->bApply,
                              ui->bReset, ui->bDefault});
    for (ChartPane *chart : {ui->fThrChart, ui->fLatChart, ui->fFrlChart})
        chart->setBars(1);
    ui->fBtbChart->setBars(3); // min, average, max
    showCharts(currentProc());
}

RfcForm::~RfcForm() = default;

quint32 RfcForm::stepOfRate(int rate)
{
    return quint32(kMaxRate - qBound(1, rate, kMaxRate));
}

QString RfcForm::title(quint8 port) const
{
    return port ? tr("RFC-2544 test (Port B)") : tr("RFC-2544 test (Port A)");
}

void RfcForm::retranslateForm()
{
    ui->retranslateUi(this);
    m_status = RV::statusTexts();
    showResult(currentProc());
}

void RfcForm::switch_proc(unsigned char port)
{
    BlockForm::switch_proc(port);
    showStep();
    showResult(currentProc());
}

void RfcForm::showStep()
{
    const quint32 step = m_device->rfcStep[currentProc()];
    const QSignalBlocker quiet(ui->sFrlsnum);
    ui->sFrlsnum->setValue(step < RfcResultLayout::Steps ? kMaxRate - int(step) : kMaxRate);
}

void RfcForm::bDefaultClicked()
{
    const quint8 proc = currentProc();
    setConfig(proc, RfcDefaults::Port[proc]);
    showConfig(proc);
}

void RfcForm::sFrlsnumValue(int value)
{
    const quint8 proc = currentProc();
    m_device->rfcStep[proc] = stepOfRate(value);
    // What the record already holds for that step shows at once; the
    // result cycle brings it up to date.
    showFrameLoss(proc);
    showCharts(proc);
}

void RfcForm::load(const ConfigBlock &b)
{
    m_header->load(b, HeaderOf::Rfc);
    for (int k = 0; k < Slots; ++k) {
        m_slotOn[k]->setChecked(get8(b, C::slotEnabled(k)) != 0);
        m_slotSize[k]->setValue(get16(b, C::slotSize(k)));
    }
    ui->cThr->setChecked(get8(b, C::ThrEnabled) != 0);
    Kept::showDuration(ui->tThrDur, get32(b, C::ThrSample));
    ui->sThrMaxrate->setValue(get8(b, C::ThrStartLoad));
    ui->sThrMinrate->setValue(get8(b, C::ThrEndLoad));
    ui->cLat->setChecked(get8(b, C::LatEnabled) != 0);
    ui->sLatCount->setValue(int(qMin<quint32>(get32(b, C::LatIterations), quint32(ui->sLatCount->maximum()))));
    Kept::showDuration(ui->tLatDur, get32(b, C::LatInterval));
    ui->cLatRateman->setChecked(get8(b, C::LatUserLoading) != 0);
    for (int k = 0; k < Slots; ++k) {
        m_userLoad[k]->setValue(get8(b, C::latUserLoad(k)));
        m_userLabel[k]->setText(QStringLiteral("%1").arg(get16(b, C::slotSize(k))));
    }
    ui->cFrl->setChecked(get8(b, C::FrlEnabled) != 0);
    Kept::showDuration(ui->tFrlDur, get32(b, C::FrlSample));
    ui->sFrlStep->setValue(get8(b, C::FrlStep));
    ui->sFrlMaxrate->setValue(get8(b, C::FrlStartLoad));
    ui->sFrlMinrate->setValue(get8(b, C::FrlEndLoad));
    ui->cBtb->setChecked(get8(b, C::BtbEnabled) != 0);
    ui->sBtbCount->setValue(get16(b, C::BtbIterations));
    ui->sBtbMax->setValue(get16(b, C::BtbMax));
    ui->sBtbMin->setValue(get16(b, C::BtbMin));
    showCharts(currentProc());
}

void RfcForm::store(ConfigBlock &b, quint8 proc)
{
    m_header->store(b, HeaderOf::Rfc, RfcDefaults::Port[proc & 1]);
    for (int k = 0; k < Slots; ++k) {
        put8(b, C::slotEnabled(k), m_slotOn[k]->isChecked() ? 1 : 0);
        put16(b, C::slotSize(k), quint16(m_slotSize[k]->value()));
    }
    put8(b, C::ThrEnabled, ui->cThr->isChecked() ? 1 : 0);
    put32(b, C::ThrSample, Kept::durationOf(ui->tThrDur));
    put8(b, C::ThrStartLoad, quint8(ui->sThrMaxrate->value()));
    put8(b, C::ThrEndLoad, quint8(ui->sThrMinrate->value()));
    put8(b, C::LatEnabled, ui->cLat->isChecked() ? 1 : 0);
    put32(b, C::LatIterations, quint32(ui->sLatCount->value()));
    put32(b, C::LatInterval, Kept::durationOf(ui->tLatDur));
    put8(b, C::LatUserLoading, ui->cLatRateman->isChecked() ? 1 : 0);
    for (int k = 0; k < Slots; ++k)
        put8(b, C::latUserLoad(k), quint8(m_userLoad[k]->value()));
    put8(b, C::FrlEnabled, ui->cFrl->isChecked() ? 1 : 0);
    put32(b, C::FrlSample, Kept::durationOf(ui->tFrlDur));
    put8(b, C::FrlStep, quint8(ui->sFrlStep->value()));
    put8(b, C::FrlStartLoad, quint8(ui->sFrlMaxrate->value()));
    put8(b, C::FrlEndLoad, quint8(ui->sFrlMinrate->value()));
    put8(b, C::BtbEnabled, ui->cBtb->isChecked() ? 1 : 0);
    put16(b, C::BtbIterations, quint16(ui->sBtbCount->value()));
    put16(b, C::BtbMax, quint16(ui->sBtbMax->value()));
    put16(b, C::BtbMin, quint16(ui->sBtbMin->value()));
}

void RfcForm::showResult(quint8 proc)
{
    const RfcResultBlock &r = m_device->rfcResult[proc & 1];
    for (int i = 0; i < Slots; ++i) {
        const QString length = QString::number(get16(r, S::frameLength(i)));
        for (QTableWidget *t : {ui->tThrRes, ui->tLatRes, ui->tBtbRes, ui->tFrlRes})
            setCellText(t, i, FrameLength, length);
        const QString load = RV::general(getFloat(r, S::thrLoad(i)));
        setCellText(ui->tThrRes, i, Status, RV::statusText(m_status, get8(r, S::thrStatus(i))));
        setCellText(ui->tThrRes, i, Value1, load);
        setCellText(ui->tThrRes, i, Value2, RV::general(getFloat(r, S::thrRate(i))));
        setCellText(ui->tLatRes, i, Status, RV::statusText(m_status, get8(r, S::latStatus(i))));
        setCellText(ui->tLatRes, i, Value1, load);
        setCellText(ui->tLatRes, i, Value2, RV::general(getDouble(r, S::latValue(i))));
        setCellText(ui->tBtbRes, i, Status, RV::statusText(m_status, get8(r, S::btbStatus(i))));
        setCellText(ui->tBtbRes, i, Value1, QString::number(get16(r, S::btbMin(i))));
        setCellText(ui->tBtbRes, i, Value2, QString::number(get16(r, S::btbMax(i))));
        setCellText(ui->tFrlRes, i, Status, RV::statusText(m_status, get8(r, S::frlStatus(i))));
    }
    showFrameLoss(proc);
    showCharts(proc);
}

void RfcForm::showFrameLoss(quint8 proc)
{
    const RfcResultBlock &r = m_device->rfcResult[proc & 1];
    const quint32 step = stepOfRate(ui->sFrlsnum->value());
    for (int i = 0; i < Slots; ++i)
        setCellText(ui->tFrlRes, i, Value1, RV::Rfc::frameLossText(r, std::size_t(i), step));
}

void RfcForm::showCharts(quint8 proc)
{
    const RfcResultBlock &r = m_device->rfcResult[proc & 1];
    const ConfigBlock &c = config(proc);
    const quint32 step = stepOfRate(ui->sFrlsnum->value());
    QStringList sizes;
    QList<double> loads, latencies, bursts, losses;
    int stepLoad = 0; // the load the tester ran the step at
    for (int i = 0; i < Slots; ++i) {
        if (RV::Rfc::stepMeasured(r, std::size_t(i), step))
            stepLoad = get8(r, RfcResultLayout::byte(std::size_t(i), step));
        if (!get8(c, C::slotEnabled(i)))
            continue;
        const quint16 length = get16(r, S::frameLength(i));
        sizes << QString::number(length ? length : get16(c, C::slotSize(i)));
        loads << getFloat(r, S::thrLoad(i));
        latencies << getDouble(r, S::latValue(i));
        const double lo = get16(r, S::btbMin(i));
        const double hi = get16(r, S::btbMax(i));
        bursts << lo << (lo + hi) / 2 << hi;
        losses << (RV::Rfc::stepMeasured(r, std::size_t(i), step)
                       ? double(get32(r, RfcResultLayout::value(std::size_t(i), step)))
                       : NAN);
    }
    const QString size = tr("Frame size, bytes");
    const QString sizeKey = QStringLiteral("frameSize_B");
    ui->fThrChart->setTexts(tr("Throughput, %"), size, QStringLiteral("%"), {tr("Throughput")},
                            {sizeKey, QStringLiteral("throughput_pct")});
    ui->fLatChart->setTexts(tr("Latency, ns"), size, tr("ns"), {tr("Latency")},
                            {sizeKey, QStringLiteral("latency_ns")});
    ui->fBtbChart->setTexts(tr("Min T/Average T/Max T, s"), size, tr("s"),
                            {tr("Min T"), tr("Average T"), tr("Max T")},
                            {sizeKey, QStringLiteral("minT_s"), QStringLiteral("averageT_s"), QStringLiteral("maxT_s")});
    ui->fFrlChart->setTexts(stepLoad ? tr("Frame loss at %1 % load, %").arg(stepLoad) : tr("Frame loss, %"), size,
                            QStringLiteral("%"), {tr("Frame loss")}, {sizeKey, QStringLiteral("frameLoss_pct")});
    const std::pair<ChartPane *, std::pair<const QList<double> *, double>> charts[] = {
        {ui->fThrChart, {&loads, 100}},
        {ui->fLatChart, {&latencies, 0}},
        {ui->fBtbChart, {&bursts, 0}},
        {ui->fFrlChart, {&losses, 100}},
    };
    for (const auto &[chart, data] : charts) {
        chart->setCategories(sizes);
        chart->showBars(*data.first, data.second);
    }
}
