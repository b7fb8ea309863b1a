#include "bertform.h"
#include "ui_bertform.h"

#include "bertlayout.h"
#include "chartpane.h"
#include "conversions.h"
#include "livecharts.h"
#include "keptvalues.h"
#include "resultvalues.h"
#include "testcodes.h"
#include "validators.h"

namespace {

constexpr int kMaxPercent = 100;
constexpr int kMaxRate = 9999;

const QRegularExpression &patternText()
{
    static const QRegularExpression re = Validators::exact(QStringLiteral("[0-9A-Fa-f]{8}"));
    return re;
}

QString patternToText(quint32 pattern)
{
    return QStringLiteral("%1").arg(pattern, 8, 16, QLatin1Char('0'));
}

} // namespace

BertForm::BertForm(Zorqv *device, QWidget *parent)
    : BlockForm(device, PageIds{TestNo::Bert, ActiveTest::Bert, StateBit::Bert, true},
                &Zorqv::bertConfig, parent)
    , ui(std::make_unique<Ui::BertForm>())
{
    ui->setupUi(this);
    Validators::install(ui->lUserPattern, patternText());
    connect(ui->cUnits, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &BertForm::cUnitsCurrentIndexChanged);
    bindControls(PageControls{ui->gBert, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop,
                              ui->bApply, ui->bReset, nullptr});
    LiveCharts *charts = addLiveCharts(2, ui->pageLayout);
    m_errors = charts->addLines({0});
    m_ber = charts->addLines({1}, true);
    nameCharts();
}

BertForm::~BertForm() = default;

QString BertForm::title(quint8 port) const
{
    return port ? tr("BERT (Port B)") : tr("BERT (Port A)");
}

void BertForm::retranslateForm()
{
    ui->retranslateUi(this);
    nameCharts();
}

void BertForm::nameCharts()
{
    if (!m_errors)
        return; // the form's texts are set before the charts exist
    const QString time = tr("Time, s");
    m_errors->setTexts(tr("Error bits"), time, tr("Bits"), {tr("Error bits")},
                       {QStringLiteral("time_s"), QStringLiteral("errorBits")});
    m_ber->setTexts(tr("BER"), time, tr("BER"), {tr("BER")}, {QStringLiteral("time_s"), QStringLiteral("ber")});
}

// The test's own elapsed seconds, as its result block counts them.
double BertForm::sampleTime(quint8 proc) const
{
    return get32(m_device->bertResult[proc & 1], BertResultField::Elapsed);
}

void BertForm::sample(quint8 proc, int)
{
    namespace R = BertResultField;
    const BertResultBlock &r = m_device->bertResult[proc & 1];
    const quint64 bits = get64(r, R::RxBits);
    const quint64 ebits = get64(r, R::ErrorBits);
    liveCharts()->record(proc, sampleTime(proc), {double(ebits), double(ResultValues::Bert::ber(bits, ebits))});
}

void BertForm::cUnitsCurrentIndexChanged(int index)
{
    ui->sRate->setMaximum(index == 0 ? kMaxPercent : kMaxRate);
}

void BertForm::load(const ConfigBlock &b)
{
    using namespace BertConfigField;
    Kept::showCombo(ui->cPattern, get8(b, Pattern));
    ui->lUserPattern->setText(patternToText(get32(b, UserPattern)));
    Kept::showSpin(ui->sSize, get16(b, Size));
    // Units first: the rate limit must follow them before the rate is set.
    Kept::showCombo(ui->cUnits, get8(b, Units));
    Kept::showSpin(ui->sRate, get16(b, Rate));
    Kept::showDuration(ui->tDur, get32(b, Duration));
}

void BertForm::store(ConfigBlock &b, quint8 proc)
{
    using namespace BertConfigField;
    put8(b, Pattern, Kept::comboValue(ui->cPattern, get8(b, Pattern)));
    const QString fallback = patternToText(get32(BertDefaults::Port[proc & 1], UserPattern));
    put32(b, UserPattern, Validators::textOrDefault(ui->lUserPattern, fallback).toUInt(nullptr, 16));
    put16(b, Size, quint16(Kept::spinValue(ui->sSize, get16(b, Size))));
    put8(b, Units, Kept::comboValue(ui->cUnits, get8(b, Units)));
    put16(b, Rate, quint16(Kept::spinValue(ui->sRate, get16(b, Rate))));
    put32(b, Duration, Kept::durationValue(ui->tDur, get32(b, Duration)));
}

void BertForm::showResult(quint8 proc)
{
    namespace R = BertResultField;
    namespace B = ResultValues::Bert;
    const BertResultBlock &r = m_device->bertResult[proc & 1];
    const quint64 bits = get64(r, R::RxBits);
    const quint64 ebits = get64(r, R::ErrorBits);
    const quint32 lss = get32(r, R::Lss);
    const quint32 los = get32(r, R::Los);
    const quint32 elapsed = get32(r, R::Elapsed);
    const quint32 duration = get32(config(proc), BertConfigField::Duration);
    ui->lElap->setText(Conv::durationText(elapsed));
    ui->lEst->setText(Conv::durationText(B::estimate(duration, elapsed)));
    ui->lBits->setText(QString::number(bits));
    ui->lEbits->setText(QString::number(ebits));
    ui->lBER->setText(B::berText(bits, ebits));
    ui->lLSS->setText(QString::number(lss));
    ui->lLOS->setText(QString::number(los));
    ui->lLSSp->setText(QString::number(B::percentOfElapsed(lss, elapsed)));
    ui->lLOSp->setText(QString::number(B::percentOfElapsed(los, elapsed)));
}
