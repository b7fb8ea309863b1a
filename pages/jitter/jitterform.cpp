#include "jitterform.h"
#include "ui_jitterform.h"

#include "chartpane.h"
#include "conversions.h"
#include "livecharts.h"
#include "keptvalues.h"
#include "headersettings.h"
#include "jitterlayout.h"
#include "resultvalues.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"

#include <QHeaderView>

namespace {

const HeaderFields &kHeader = HeaderOf::Jitter;

constexpr int kMaxPercent = 100;
// The rate is one byte of the block.
constexpr int kMaxRate = 255;

// The labels before the threshold is first changed: those of threshold 10,
// with blanks around the dash.
const char *const kFirstLabels[ResultValues::Jitter::Buckets] = {
    "0.000 - 1.250", "1.250 - 2.500", "2.500 - 3.750", "3.750 - 5.000", "5.000 - 6.250",
    "6.250 - 7.500", "7.500 - 8.750", "8.750 - 10.000", ">=10.000",
};

const QString kRunning = QStringLiteral("...");

QStringList bucketLabels(int threshold)
{
    QStringList labels;
    for (std::size_t j = 0; j < ResultValues::Jitter::Buckets; ++j)
        labels << ResultValues::Jitter::bucketLabel(quint32(threshold), j);
    return labels;
}

} // namespace

JitterForm::JitterForm(Zorqv *device, QWidget *parent)
    : BlockForm(device, PageIds{TestNo::Jitter, ActiveTest::Jitter, StateBit::Jitter, true},
                &Zorqv::jitterConfig, parent)
    , ui(std::make_unique<Ui::JitterForm>())
{
    ui->setupUi(this);
    installTableMenu(ui->tRes);
    installTableMenu(ui->tDist);
    m_header = bindHeader(this);
    retranslateForm();
    for (int row = 0; row < int(ResultValues::Jitter::Buckets); ++row)
        setCellText(ui->tDist, row, Bucket, QLatin1String(kFirstLabels[row]));
    // Names and bucket labels keep their column as wide as they are.
    for (QTableWidget *table : {ui->tRes, ui->tDist}) {
        table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        fitTableToRows(table);
    }
    ui->tRes->setColumnWidth(Count, 100);
    ui->lTestTime->setText(Conv::durationText(0));
    ui->lPassTime->setText(Conv::durationText(0));

    connect(ui->cUnits, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &JitterForm::cUnitsCurrentIndexChanged);
    connect(ui->sThre, qOverload<int>(&QSpinBox::valueChanged), this,
            &JitterForm::sThreValueChenged);
    bindControls(PageControls{ui->gJitter, ui->bStartXX, ui->bStartXY, nullptr, ui->bStop,
                              ui->bApply, ui->bReset, nullptr});
    // The frames per bucket, drawn from the newest poll as the test fills them.
    m_buckets = addLiveCharts(int(ResultValues::Jitter::Buckets), ui->pageLayout)->addBars();
    m_buckets->setCategories(bucketLabels(ui->sThre->value()));
    nameCharts();
}

JitterForm::~JitterForm() = default;

QString JitterForm::title(quint8 port) const
{
    return port ? tr("Jitter test (Port B)") : tr("Jitter test (Port A)");
}

void JitterForm::retranslateForm()
{
    ui->retranslateUi(this);
    setCellText(ui->tRes, All, Name, tr("All"));
    setCellText(ui->tRes, InOrder, Name, tr("In order"));
    setCellText(ui->tRes, NotInOrder, Name, tr("Not in order"));
    nameCharts();
}

void JitterForm::nameCharts()
{
    if (!m_buckets)
        return; // the form's texts are set before the charts exist
    m_buckets->setTexts(tr("Jitter distribution"), tr("Jitter, ms"), tr("Frames"), {tr("Frames")},
                        {QStringLiteral("jitter_ms"), QStringLiteral("frames")});
}

void JitterForm::sample(quint8 proc, int)
{
    const JitterResultBlock &r = m_device->jitterResult[proc & 1];
    QList<double> row;
    for (std::size_t j = 0; j < JitterResultField::Buckets; ++j)
        row << double(get64(r, JitterResultField::bucket(j)));
    liveCharts()->record(proc, sampleTime(proc), row);
}

void JitterForm::cUnitsCurrentIndexChanged(int index)
{
    ui->sRate->setMaximum(index == 0 ? kMaxPercent : kMaxRate);
}

void JitterForm::sThreValueChenged(int threshold)
{
    const QStringList labels = bucketLabels(threshold);
    for (int j = 0; j < labels.size(); ++j)
        setCellText(ui->tDist, j, Bucket, labels.at(j));
    if (m_buckets) {
        m_buckets->setCategories(labels);
        liveCharts()->refresh();
    }
}

void JitterForm::load(const ConfigBlock &b)
{
    using namespace JitterConfigField;
    m_header->load(b, kHeader);
    // Units first: the rate limit must follow them before the rate is set.
    // Units the combo cannot show leave it without a selection.
    ui->cUnits->setCurrentIndex(b[Units]);
    ui->sRate->setValue(b[Rate]);
    ui->sLen->setValue(get16(b, Length));
    Kept::showDuration(ui->tDur, get32(b, Duration));
    ui->sThre->setValue(get16(b, Threshold));
}

void JitterForm::store(ConfigBlock &b, quint8 proc)
{
    using namespace JitterConfigField;
    m_header->store(b, kHeader, JitterDefaults::Port[proc & 1]);
    if (ui->cUnits->currentIndex() >= 0)
        put8(b, Units, quint8(ui->cUnits->currentIndex()));
    put8(b, Rate, quint8(qMin(ui->sRate->value(), kMaxRate)));
    put16(b, Length, quint16(ui->sLen->value()));
    put32(b, Duration, Kept::durationOf(ui->tDur));
    put16(b, Threshold, quint16(ui->sThre->value()));
}

void JitterForm::showResult(quint8 proc)
{
    namespace J = ResultValues::Jitter;
    const JitterResultBlock &r = m_device->jitterResult[proc];
    const bool runs = running();
    const quint64 all = get64(r, JitterResultField::RxAll);
    const quint64 inOrder = get64(r, JitterResultField::RxInOrder);
    const quint64 notInOrder = J::notInOrder(all, inOrder);

    for (std::size_t j = 0; j < JitterResultField::Buckets; ++j)
        setCellText(ui->tDist, int(j), Share,
                    J::share(get64(r, JitterResultField::bucket(j)), all));

    // A share of nothing is left empty.
    const auto percent = [all](quint64 part) { return all ? J::share(part, all, 'f', 2) : QString(); };
    setCellText(ui->tRes, All, Count, J::countText(all));
    setCellText(ui->tRes, InOrder, Count, runs ? kRunning : J::countText(inOrder));
    setCellText(ui->tRes, InOrder, Percent, runs ? kRunning : percent(inOrder));
    setCellText(ui->tRes, NotInOrder, Count, runs ? kRunning : J::countText(notInOrder));
    setCellText(ui->tRes, NotInOrder, Percent, runs ? kRunning : percent(notInOrder));

    // Time left first, then time passed.
    const quint32 duration = get32(config(proc), JitterConfigField::Duration);
    const quint64 elapsed = m_device->elapsedSeconds(proc);
    ui->lTestTime->setText(Conv::durationText(runs ? J::remaining(duration, elapsed) : duration));
    ui->lPassTime->setText(Conv::durationText(runs ? elapsed : 0));
}
