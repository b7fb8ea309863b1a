#include "multiform.h"
#include "ui_multiform.h"

#include "chartpane.h"
#include "conversions.h"
#include "livecharts.h"
#include "keptvalues.h"
#include "headersettings.h"
#include "multilayout.h"
#include "resultvalues.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"

#include <limits>

namespace {

constexpr int kMaxPercent = 100;
constexpr int kMaxRate = 9999;
constexpr int kStreams = int(MultiConfigField::Streams);

// The record a selector value stands for (Stream #1 is record 0), or -1 for
// a value outside the records.
int recordOf(int value)
{
    return value >= 1 && value <= kStreams ? value - 1 : -1;
}

HeaderFields headerOf(int stream)
{
    return HeaderOf::MultiStream.shifted(MultiConfigField::stream(std::size_t(stream)));
}

} // namespace

MultiForm::MultiForm(Zorqv *device, QWidget *parent)
    : BlockForm(device, PageIds{TestNo::Multi, ActiveTest::Multi, StateBit::Multi, true},
                &Zorqv::multiConfig, parent)
    , ui(std::make_unique<Ui::MultiForm>())
{
    ui->setupUi(this);
    installTableMenu(ui->tRes);
    m_header = bindHeader(this);
    ui->tRes->setColumnWidth(Count, 100);
    fitTableToRows(ui->tRes);
    ui->lElapsedTime->setText(Conv::durationText(0));
    ui->lEstimateTime->setText(Conv::durationText(0));

    connect(ui->cUnits, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &MultiForm::cUnitsCurrentIndexChanged);
    connect(ui->sStreamSettings, qOverload<int>(&QSpinBox::valueChanged), this,
            &MultiForm::sStreamSettingsChanged);
    connect(ui->sStreamRes, qOverload<int>(&QSpinBox::valueChanged), this,
            &MultiForm::sStreamResChanged);
    bindControls(PageControls{ui->gMulti, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop,
                              ui->bApply, ui->bReset, nullptr});
    // Per stream: its Rx rate, then its lost frames.
    constexpr int streams = int(MultiConfigField::Streams);
    LiveCharts *charts = addLiveCharts(2 * streams, ui->pageLayout);
    QList<int> rates, losses;
    for (int i = 0; i < streams; ++i) {
        rates << i;
        losses << streams + i;
    }
    m_rates = charts->addLines(rates);
    m_loss = charts->addLines(losses);
    nameCharts();
}

MultiForm::~MultiForm() = default;

QString MultiForm::title(quint8 port) const
{
    return port ? tr("Multistream test (Port B)") : tr("Multistream test (Port A)");
}

void MultiForm::retranslateForm()
{
    ui->retranslateUi(this);
    nameCharts();
}

void MultiForm::nameCharts()
{
    if (!m_rates)
        return; // the form's texts are set before the charts exist
    QStringList names, rateKeys{QStringLiteral("time_s")}, lossKeys{QStringLiteral("time_s")};
    for (std::size_t i = 1; i <= MultiConfigField::Streams; ++i) {
        names << tr("Stream %1").arg(i);
        rateKeys << QStringLiteral("stream%1RxRate_fps").arg(i);
        lossKeys << QStringLiteral("stream%1Lost_frames").arg(i);
    }
    const QString time = tr("Time, s");
    m_rates->setTexts(tr("Rx rate"), time, tr("frames/s"), names, rateKeys);
    m_loss->setTexts(tr("Lost frames"), time, tr("Frames"), names, lossKeys);
}

// An inactive stream has no line rather than a line of zeros.
void MultiForm::sample(quint8 proc, int)
{
    namespace M = ResultValues::Multi;
    const MultiResultBlock &r = m_device->multiResult[proc & 1];
    if (get8(r, MultiResultField::Present) == 0)
        return;
    const ConfigBlock &c = config(proc);
    constexpr int streams = int(MultiConfigField::Streams);
    const double t = sampleTime(proc);
    LiveCharts *charts = liveCharts();
    QList<double> row(2 * streams, std::numeric_limits<double>::quiet_NaN());
    for (int i = 0; i < streams; ++i) {
        const M::Stream s = M::stream(c, r, std::size_t(i));
        if (!s.active)
            continue;
        row[i] = charts->rate(proc, i, s.rx);
        row[streams + i] = s.loss;
    }
    charts->record(proc, t, row);
}

void MultiForm::cUnitsCurrentIndexChanged(int index)
{
    ui->sRate->setMaximum(index == 0 ? kMaxPercent : kMaxRate);
}

// The edits of the stream left go into the buffer the widgets belong to
// before the next stream is shown from it (a bad MAC or IP text as that
// stream's default).
void MultiForm::sStreamSettingsChanged(int value)
{
    const int next = recordOf(value);
    if (next < 0 || next == m_settingsStream)
        return;
    storeConfig(shownProcess());
    m_settingsStream = next;
    showConfig(shownProcess());
}

void MultiForm::sStreamResChanged(int value)
{
    const int next = recordOf(value);
    if (next < 0)
        return;
    m_resultStream = next;
    showResult(currentProc());
}

void MultiForm::load(const ConfigBlock &b)
{
    using namespace MultiStreamField;
    const std::size_t s = MultiConfigField::stream(std::size_t(m_settingsStream));
    m_header->load(b, headerOf(m_settingsStream));
    ui->cActive->setChecked(b[s + Active] != 0);
    // Units first: the rate limit must follow them before the rate is set.
    // Units the combo cannot show leave it without a selection.
    ui->cUnits->setCurrentIndex(b[s + Units]);
    ui->sRate->setValue(get16(b, s + Rate));
    ui->sLen->setValue(get16(b, s + Length));
    Kept::showDuration(ui->tDur, get32(b, MultiConfigField::Duration));
}

void MultiForm::store(ConfigBlock &b, quint8 proc)
{
    using namespace MultiStreamField;
    const std::size_t s = MultiConfigField::stream(std::size_t(m_settingsStream));
    m_header->store(b, headerOf(m_settingsStream), MultiDefaults::Port[proc & 1]);
    put8(b, s + Active, ui->cActive->isChecked() ? 1 : 0);
    if (ui->cUnits->currentIndex() >= 0)
        put8(b, s + Units, quint8(ui->cUnits->currentIndex()));
    put16(b, s + Rate, quint16(ui->sRate->value()));
    put16(b, s + Length, quint16(ui->sLen->value()));
    put32(b, MultiConfigField::Duration, Kept::durationOf(ui->tDur));
}

void MultiForm::showResult(quint8 proc)
{
    namespace C = MultiConfigField;
    namespace M = ResultValues::Multi;
    const MultiResultBlock &r = m_device->multiResult[proc];
    if (get8(r, MultiResultField::Present) == 0)
        return;
    const ConfigBlock &c = config(proc);
    const bool runs = running();
    const quint64 elapsed = m_device->elapsedSeconds(proc);
    const quint32 duration = get32(c, C::Duration);
    const quint64 left = ResultValues::Traffic::estimate(duration, get16(c, C::Margin), elapsed);
    ui->lElapsedTime->setText(Conv::durationText(runs ? elapsed : 0));
    ui->lEstimateTime->setText(Conv::durationText(runs && duration != 0 ? left : 0));

    const M::Stream s = M::stream(c, r, std::size_t(m_resultStream));
    setCellText(ui->tRes, Load, Count, ResultValues::percentText(s.load));
    setCellText(ui->tRes, TxFrames, Count, QString::number(s.tx));
    setCellText(ui->tRes, RxFrames, Count, QString::number(s.rx));
    setCellText(ui->tRes, TxBytes, Count, QString::number(s.txBytes));
    setCellText(ui->tRes, LossFrames, Count, QString::number(s.loss));
    setCellText(ui->tRes, Latency, Count, QString::number(s.latency));
    setCellText(ui->tRes, LossFrames, Coef, M::lossCoefficient(s));
}
