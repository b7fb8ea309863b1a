#include "trafficform.h"
#include "ui_trafficform.h"

#include "chartpane.h"
#include "conversions.h"
#include "livecharts.h"
#include "keptvalues.h"
#include "headersettings.h"
#include "resultvalues.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"
#include "trafficlayout.h"

namespace {

const HeaderFields &kHeader = HeaderOf::Traffic;

constexpr int kMaxPercent = 100;
constexpr int kMaxRate = 9999;

const QString kZeroTime = QStringLiteral("00:00:00");

} // namespace

TrafficForm::TrafficForm(Zorqv *device, QWidget *parent)
    : BlockForm(device,
                PageIds{TestNo::Traffic, ActiveTest::Traffic, StateBit::Traffic, true},
                &Zorqv::trafficConfig, parent)
    , ui(std::make_unique<Ui::TrafficForm>())
{
    ui->setupUi(this);
    installTableMenu(ui->tRes);
    m_header = bindHeader(this);
    ui->tRes->setColumnWidth(Count, 100);
    fitTableToRows(ui->tRes);
    ui->lTestTime->setText(kZeroTime);
    ui->lPassTime->setText(kZeroTime);

    connect(ui->cUnits, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TrafficForm::cUnitsCurrentIndexChanged);
    bindControls(PageControls{ui->gTraf, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop,
                              ui->bApply, ui->bReset, nullptr});
    LiveCharts *charts = addLiveCharts(SampleColumns, ui->pageLayout);
    m_rates = charts->addLines({TxRate, RxRate});
    m_lost = charts->addLines({Lost});
    nameCharts();
}

TrafficForm::~TrafficForm() = default;

QString TrafficForm::title(quint8 port) const
{
    return port ? tr("Traffic test (Port B)") : tr("Traffic test (Port A)");
}

void TrafficForm::retranslateForm()
{
    ui->retranslateUi(this);
    nameCharts();
}

void TrafficForm::nameCharts()
{
    if (!m_rates)
        return; // the form's texts are set before the charts exist
    const QString time = tr("Time, s");
    m_rates->setTexts(tr("Rate"), time, tr("frames/s"), {tr("Tx"), tr("Rx")},
                      {QStringLiteral("time_s"), QStringLiteral("txRate_fps"), QStringLiteral("rxRate_fps")});
    m_lost->setTexts(tr("Lost frames"), time, tr("Frames"), {tr("Lost")},
                     {QStringLiteral("time_s"), QStringLiteral("lost_frames")});
}

void TrafficForm::sample(quint8 proc, int)
{
    const ResultValues::Traffic::Counts n = ResultValues::Traffic::counts(m_device->trafficResult[proc & 1]);
    const double t = sampleTime(proc);
    LiveCharts *charts = liveCharts();
    const double tx = charts->rate(proc, TxRate, n.tx);
    const double rx = charts->rate(proc, RxRate, n.rx);
    charts->record(proc, t, {tx, rx, double(n.loss)});
}

void TrafficForm::cUnitsCurrentIndexChanged(int index)
{
    ui->sRate->setMaximum(index == 0 ? kMaxPercent : kMaxRate);
}

void TrafficForm::load(const ConfigBlock &b)
{
    using namespace TrafficConfigField;
    m_header->load(b, kHeader);
    // Units first: the rate limit must follow them before the rate is set.
    ui->cUnits->setCurrentIndex(b[Units]);
    ui->sRate->setValue(get16(b, Rate));
    ui->sLen->setValue(get16(b, Length));
    Kept::showDuration(ui->tDur, get32(b, Duration));
}

void TrafficForm::store(ConfigBlock &b, quint8 proc)
{
    using namespace TrafficConfigField;
    m_header->store(b, kHeader, TrafficDefaults::Port[proc & 1]);
    if (ui->cUnits->currentIndex() >= 0)
        put8(b, Units, quint8(ui->cUnits->currentIndex()));
    put16(b, Rate, quint16(ui->sRate->value()));
    put16(b, Length, quint16(ui->sLen->value()));
    put32(b, Duration, Kept::durationOf(ui->tDur));
}

void TrafficForm::showResult(quint8 proc)
{
    namespace C = TrafficConfigField;
    const TrafficResultBlock &r = m_device->trafficResult[proc];
    const ConfigBlock &c = config(proc);
    const bool runs = running();
    const quint64 elapsed = m_device->elapsedSeconds(proc);

    ui->lTestTime->setText(runs ? Conv::durationText(elapsed) : kZeroTime);
    const quint32 duration = get32(c, C::Duration);
    const quint64 left = ResultValues::Traffic::estimate(duration, get16(c, C::Margin), elapsed);
    ui->lPassTime->setText(runs && duration != 0 ? Conv::durationText(left) : kZeroTime);

    const ResultValues::Traffic::Counts n = ResultValues::Traffic::counts(r);
    const quint32 counts[] = {
        0, n.tx, n.rx, n.txBytes, n.loss, n.runt, n.jabber, n.crc, n.errors, n.pause,
    };
    setCellText(ui->tRes, Load, Count, ResultValues::percentText(n.load));
    for (int row = TxFrames; row <= PauseFrames; ++row)
        setCellText(ui->tRes, row, Count, QString::number(counts[row]));
    for (int row = LossFrames; row <= ErrFrames; ++row)
        setCellText(ui->tRes, row, Coef, ResultValues::Traffic::coefficient(counts[row], n.tx));
}
