#include "trafficform.h"
#include "ui_trafficform.h"

#include "conversions.h"
#include "headersettings.h"
#include "tablecell.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QTime>

namespace {

const HeaderFields kHeader = {
    TrafficConfigField::IpDst,  TrafficConfigField::MacDst, TrafficConfigField::AutoMac,
    TrafficConfigField::Priority, TrafficConfigField::Tos,  TrafficConfigField::Dscp,
    TrafficConfigField::UdpSrc, TrafficConfigField::UdpDst, TrafficConfigField::Level3,
    TrafficConfigField::Level4,
};

constexpr int kMaxPercent = 100;
constexpr int kMaxRate = 9999;
constexpr int kDayLastSecond = 24 * 3600 - 1; // what the duration editor can show

const QString kZeroTime = QStringLiteral("00:00:00");
const QString kNoValue = QStringLiteral("---");

} // namespace

TrafficForm::TrafficForm(Zorqv *device, QWidget *parent)
    : BlockForm(device,
                PageIds{TestNo::Traffic, ActiveTest::Traffic, StateBit::Traffic, true},
                &Zorqv::trafficConfig, parent)
    , ui(std::make_unique<Ui::TrafficForm>())
{
    ui->setupUi(this);
    m_header = bindHeader(this);
    ui->tRes->setColumnWidth(Count, 100);
    fitTableToRows(ui->tRes);
    ui->lTestTime->setText(kZeroTime);
    ui->lPassTime->setText(kZeroTime);

    connect(ui->cUnits, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TrafficForm::cUnitsCurrentIndexChanged);
    bindControls(PageControls{ui->gTraf, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop,
                              ui->bApply, ui->bReset, nullptr});
}

TrafficForm::~TrafficForm() = default;

QString TrafficForm::title(quint8 port) const
{
    return port ? tr("Traffic test (Port B)") : tr("Traffic test (Port A)");
}

void TrafficForm::retranslateForm()
{
    ui->retranslateUi(this);
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
    const int seconds = int(qMin<quint32>(get32(b, Duration), kDayLastSecond));
    ui->tDur->setTime(QTime(0, 0).addSecs(seconds));
}

void TrafficForm::store(ConfigBlock &b, quint8 proc)
{
    using namespace TrafficConfigField;
    m_header->store(b, kHeader, TrafficDefaults::Port[proc & 1]);
    if (ui->cUnits->currentIndex() >= 0)
        put8(b, Units, quint8(ui->cUnits->currentIndex()));
    put16(b, Rate, quint16(ui->sRate->value()));
    put16(b, Length, quint16(ui->sLen->value()));
    const QTime t = ui->tDur->time();
    put32(b, Duration, quint32(t.hour() * 3600 + t.minute() * 60 + t.second()));
}

void TrafficForm::showResult(quint8 proc)
{
    namespace R = TrafficResultField;
    namespace C = TrafficConfigField;
    const TrafficResultBlock &r = m_device->trafficResult[proc];
    const ConfigBlock &c = config(proc);
    const bool runs = running();
    const quint64 elapsed = m_device->elapsedSeconds(proc);

    ui->lTestTime->setText(runs ? Conv::durationText(elapsed) : kZeroTime);
    const qint64 duration = get32(c, C::Duration);
    const qint64 margin = get16(c, C::Margin) / 1000;
    // Past its planned end the test has no time left rather than a negative one.
    const qint64 left = duration + 2 * margin - qint64(elapsed);
    ui->lPassTime->setText(runs && duration != 0 && left > 0 ? Conv::durationText(quint64(left))
                                                             : kZeroTime);

    const quint32 tx = get32(r, R::TxFrames);
    const quint32 rx = get32(r, R::RxFrames);
    const quint32 runt = get32(r, R::Runt);
    const quint32 jabber = get32(r, R::Jabber);
    const quint32 crc = get32(r, R::Crc);
    // Unsigned 32-bit arithmetic on purpose: the tester's counters wrap.
    const quint32 counts[] = {
        0, tx, rx, get32(r, R::TxBytes), quint32(tx - rx), runt, jabber, crc,
        quint32(runt + jabber + crc), get32(r, R::Pause),
    };
    setCellText(ui->tRes, Load, Count, QStringLiteral("%1%").arg(get8(r, R::Load)));
    for (int row = TxFrames; row <= PauseFrames; ++row)
        setCellText(ui->tRes, row, Count, QString::number(counts[row]));
    // Shares of the transmitted frames; with nothing sent there is no share.
    for (int row = LossFrames; row <= ErrFrames; ++row)
        setCellText(ui->tRes, row, Coef,
                    tx ? QStringLiteral("%1").arg(double(counts[row]) / tx, 0, 'F', 3) : kNoValue);
}
