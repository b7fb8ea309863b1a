#include "cableform.h"
#include "ui_cableform.h"

#include "cablelayout.h"
#include "tablecell.h"
#include "tablemenu.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QHeaderView>
#include <QIcon>

namespace {

const char *const kStates[CableState::Count] = {
    QT_TRANSLATE_NOOP("CableForm", "good"),  QT_TRANSLATE_NOOP("CableForm", "short"),
    QT_TRANSLATE_NOOP("CableForm", "open"),  QT_TRANSLATE_NOOP("CableForm", "fault"),
    QT_TRANSLATE_NOOP("CableForm", "immi"),
};

const QString kRunning = QStringLiteral("---");
const QString kNoDetail = QStringLiteral("...");

} // namespace

CableForm::CableForm(Zorqv *device, QWidget *parent)
    : ProcessForm(device, PageIds{TestNo::Cable, ActiveTest::Cable, StateBit::Cable, false}, parent)
    , ui(std::make_unique<Ui::CableForm>())
{
    ui->setupUi(this);
    installTableMenu(ui->tRes);
    ui->bStart->setIcon(QIcon(QStringLiteral(":/start-icon.png")));
    ui->bStop->setIcon(QIcon(QStringLiteral(":/stop-icon.png")));
    fitTableToRows(ui->tRes);
    // Start and Stop send the same request: the engine starts the test when
    // it is idle and stops it when it runs.
    const quint16 code = requestCode(TestNo::Cable, 0);
    setRunCodes(code, code);
    bindControls(PageControls{ui->gCable, nullptr, nullptr, ui->bStart, ui->bStop, nullptr, nullptr,
                              nullptr});
}

CableForm::~CableForm() = default;

QString CableForm::title(quint8 port) const
{
    return port ? tr("Cable test (Port B)") : tr("Cable test (Port A)");
}

void CableForm::retranslateForm()
{
    ui->retranslateUi(this);
    if (m_painted)
        paint();
}

QString CableForm::stateText(quint8 state)
{
    return state < CableState::Count ? tr(kStates[state]) : QString::number(state);
}

void CableForm::showResult(quint8)
{
    m_runningShown = running();
    m_result = m_device->cableResult;
    m_painted = true;
    paint();
}

void CableForm::paint()
{
    namespace F = CableResultField;
    if (m_runningShown) {
        for (int row = 0; row < Rows; ++row)
            for (int pair = 0; pair < int(F::Pairs); ++pair)
                setCellText(ui->tRes, row, pair, kRunning);
        return;
    }
    const CableResultBlock &r = m_result;
    const bool detail = get8(r, F::Detail) != 0;
    for (std::size_t pair = 0; pair < F::Pairs; ++pair) {
        const int column = int(pair);
        const quint8 s = get8(r, F::state(pair));
        setCellText(ui->tRes, Status, column, stateText(s));
        setCellText(ui->tRes, Length, column,
                    s == CableState::Good ? kNoDetail
                                          : QString::number(CableDistance::metres(get8(r, F::distance(pair)))));
        setCellText(ui->tRes, Channel, column,
                    detail ? QString(QLatin1Char(CableDetail::channel(r, pair))) : kNoDetail);
        setCellText(ui->tRes, Polarity, column,
                    detail ? (CableDetail::inverted(r, pair) ? QStringLiteral("-") : QStringLiteral("+"))
                           : kNoDetail);
        setCellText(ui->tRes, Latency, column,
                    detail ? QString::number(CableDetail::delayNs(r, pair)) : kNoDetail);
    }
    // Equal columns wide enough for the longest state text of the language.
    ui->tRes->resizeColumnsToContents();
    int width = ui->tRes->horizontalHeader()->defaultSectionSize();
    for (int column = 0; column < ui->tRes->columnCount(); ++column)
        width = qMax(width, ui->tRes->columnWidth(column));
    for (int column = 0; column < ui->tRes->columnCount(); ++column)
        ui->tRes->setColumnWidth(column, width);
}
