#include "oamform.h"
#include "ui_oamform.h"

#include "conversions.h"
#include "iflayout.h"
#include "oamlayout.h"
#include "testcodes.h"
#include "zorqv.h"

namespace {

QString support(quint8 config, quint8 bit)
{
    return config & bit ? OamForm::tr("Supported") : OamForm::tr("Unsupported");
}

} // namespace

OamForm::OamForm(Zorqv *device, QWidget *parent)
    : ProcessForm(device, PageIds{TestNo::Oam, ActiveTest::Oam, StateBit::Oam, true}, parent)
    , ui(std::make_unique<Ui::OamForm>())
{
    ui->setupUi(this);
    // The argument of the run request is the loopback's run flag.
    setRunCodes(requestCode(TestNo::Oam, 1), requestCode(TestNo::Oam, 0));
    // The mode is what switches OAM off, so it must stay writable while on.
    setApplyWhileRunning(true);
    bindControls(PageControls{ui->gOAM, nullptr, nullptr, ui->bStart, ui->bStop, ui->bApply,
                              ui->bReset, nullptr});
}

OamForm::~OamForm() = default;

QString OamForm::title(quint8 port) const
{
    return port ? tr("OAM (Port B)") : tr("OAM (Port A)");
}

void OamForm::retranslateForm()
{
    const int index = ui->cbMode->currentIndex();
    ui->retranslateUi(this);
    ui->cbMode->setCurrentIndex(index);
    showResult(currentProc());
}

void OamForm::takeConfig(quint8 proc)
{
    m_mode[proc & 1] = m_device->ifaceConfig[proc & 1][IfaceConfigField::OamMode];
}

void OamForm::giveConfig(quint8 proc)
{
    m_device->ifaceConfig[proc & 1][IfaceConfigField::OamMode] = m_mode[proc & 1];
}

// A mode the combo does not list shows no selection.
void OamForm::showConfig(quint8 proc)
{
    const quint8 mode = m_mode[proc & 1];
    ui->cbMode->setCurrentIndex(mode <= OamMode::Disabled ? mode : -1);
}

// With no selection the buffer keeps the mode it has.
void OamForm::storeConfig(quint8 proc)
{
    const int index = ui->cbMode->currentIndex();
    if (index >= 0)
        m_mode[proc & 1] = quint8(index);
}

void OamForm::bResetClicked()
{
    const quint8 cur = currentProc();
    takeConfig(cur);
    if (shownProcess() == cur)
        showConfig(cur);
}

// The peer's loopback can be started and stopped only while OAM runs on
// the port and has found its peer.
void OamForm::updateControls(quint32 s, quint32 o)
{
    ProcessForm::updateControls(s, o);
    const bool peer = get8(m_device->oamResult[currentProc()], OamResultField::Peer) != 0;
    const bool on = (s & StateBit::tx(StateBit::Oam)) && peer;
    ui->bStart->setEnabled(on);
    ui->bStop->setEnabled(on);
}

void OamForm::showResult(quint8 proc)
{
    using namespace OamResultField;
    const OamResultBlock &r = m_device->oamResult[proc & 1];
    QLineEdit *const fields[] = {ui->lMAC, ui->lVendor, ui->lRemoteLB, ui->lMode,
                                 ui->lUnidirectional, ui->lLinkev};
    if (get8(r, Peer) == 0) {
        for (QLineEdit *field : fields)
            field->clear();
        return;
    }
    const quint8 config = get8(r, PeerConfig);
    ui->lMAC->setText(Conv::macToText(r.data() + PeerMac));
    ui->lVendor->setText(Conv::hexBytes(r.data() + Vendor));
    ui->lRemoteLB->setText(support(config, OamPeerConfig::RemoteLoopback));
    ui->lMode->setText(config & OamPeerConfig::ActiveMode ? tr("Active") : tr("Passive"));
    ui->lUnidirectional->setText(support(config, OamPeerConfig::Unidirectional));
    ui->lLinkev->setText(support(config, OamPeerConfig::LinkEvents));
}
