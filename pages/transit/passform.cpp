#include "passform.h"
#include "ui_passform.h"

#include "testcodes.h"
#include "zorqv.h"

#include <QIcon>

PassForm::PassForm(Zorqv *device, QWidget *parent)
    : ProcessForm(device, PageIds{TestNo::Transit, ActiveTest::Transit, StateBit::Transit, false},
                  parent)
    , ui(std::make_unique<Ui::PassForm>())
{
    ui->setupUi(this);
    ui->bStart->setIcon(QIcon(QStringLiteral(":/start-icon.png")));
    ui->bStop->setIcon(QIcon(QStringLiteral(":/stop-icon.png")));
    // The argument is the mode value the engine sends: transit on or off.
    setRunCodes(requestCode(TestNo::Transit, Mode::TransitOn),
                requestCode(TestNo::Transit, Mode::TransitOff));
    bindControls(PageControls{ui->groupBox, nullptr, nullptr, ui->bStart, ui->bStop, nullptr,
                              nullptr, nullptr});
}

PassForm::~PassForm() = default;

QString PassForm::title(quint8) const
{
    return tr("Transit");
}

void PassForm::retranslateForm()
{
    ui->retranslateUi(this);
}
