#include "lbform.h"
#include "ui_lbform.h"

#include "conversions.h"
#include "keptvalues.h"
#include "headersettings.h"
#include "lblayout.h"
#include "testcodes.h"
#include "validators.h"
#include "zorqv.h"

#include <QIcon>

namespace {

namespace F = LbConfigField;

// Only the ToS/DSCP part of the header settings: the page's own address
// fields share object names with the traffic pages' header fields, so the
// binder is given the frame around gToS and gDSCP alone.
const HeaderFields kHeader = [] {
    HeaderFields f;
    f.mode = F::ReplaceMode;
    f.tos = F::Tos;
    f.dscp = F::Dscp;
    return f;
}();


bool flag(const LbConfigBlock &b, std::size_t at)
{
    return get8(b, at) != 0;
}

void putFlag(LbConfigBlock &b, std::size_t at, const QAbstractButton *box)
{
    put8(b, at, box->isChecked() ? 1 : 0);
}

void loadMac(QLineEdit *edit, const LbConfigBlock &b, std::size_t at)
{
    edit->setText(Conv::macToText(b, at));
}

void storeMac(QLineEdit *edit, LbConfigBlock &b, std::size_t at, const LbConfigBlock &defaults)
{
    Conv::textToMac(Validators::textOrDefault(edit, Conv::macToText(defaults, at)), b, at);
}

void loadIp(QLineEdit *edit, const LbConfigBlock &b, std::size_t at)
{
    edit->setText(Conv::ipToText(get32(b, at)));
}

void storeIp(QLineEdit *edit, LbConfigBlock &b, std::size_t at, const LbConfigBlock &defaults)
{
    put32(b, at, Conv::textToIp(Validators::textOrDefault(edit, Conv::ipToText(get32(defaults, at)))));
}

} // namespace

LbForm::LbForm(Zorqv *device, QWidget *parent)
    : BlockForm(device, PageIds{TestNo::Loopback, ActiveTest::Loopback, StateBit::Loopback, true},
                &Zorqv::lbConfig, parent)
    , ui(std::make_unique<Ui::LbForm>())
{
    ui->setupUi(this);
    m_header = bindHeader(ui->fPriority);
    for (QLineEdit *mac : {ui->lMACsrc, ui->lMACdst})
        Validators::installMac(mac);
    for (QLineEdit *ip : {ui->lIPsrc, ui->lIPdst})
        Validators::installIpv4(ip);

    m_levelButtons = {ui->blvl0, ui->blvl1, ui->blvl2, ui->blvl3, ui->blvl4};
    m_levelIndicators = {ui->llvl0, ui->llvl1, ui->llvl2, ui->llvl3, ui->llvl4};
    ui->blvl0->setIcon(QIcon(QStringLiteral(":/stop-icon.png")));
    for (int level = 1; level <= LbLevel::Max; ++level)
        m_levelButtons[level]->setIcon(QIcon(QStringLiteral(":/start-icon.png")));
    connect(ui->blvl0, &QPushButton::clicked, this, &LbForm::blvl0Clicked);
    connect(ui->blvl1, &QPushButton::clicked, this, &LbForm::blvl1Clicked);
    connect(ui->blvl2, &QPushButton::clicked, this, &LbForm::blvl2Clicked);
    connect(ui->blvl3, &QPushButton::clicked, this, &LbForm::blvl3Clicked);
    connect(ui->blvl4, &QPushButton::clicked, this, &LbForm::blvl4Clicked);

    bindControls(PageControls{ui->gLB, nullptr, nullptr, nullptr, nullptr, ui->bApply, ui->bReset,
                              nullptr});
}

LbForm::~LbForm() = default;

QString LbForm::title(quint8 port) const
{
    return port ? tr("Loopback (Port B)") : tr("Loopback (Port A)");
}

void LbForm::retranslateForm()
{
    ui->retranslateUi(this);
}

void LbForm::blvl0Clicked() { levelClicked(0); }
void LbForm::blvl1Clicked() { levelClicked(1); }
void LbForm::blvl2Clicked() { levelClicked(2); }
void LbForm::blvl3Clicked() { levelClicked(3); }
void LbForm::blvl4Clicked() { levelClicked(4); }

void LbForm::levelClicked(quint8 level)
{
    if (stillEnabled(m_levelButtons[level]))
        Q_EMIT start_test(requestCode(TestNo::Loopback, level));
}

// The levels can be switched between (and off) while a loopback is active,
// but not while another test occupies the process. The settings are
// written only while no loopback is active.
void LbForm::updateControls(quint32 s, quint32 o)
{
    BlockForm::updateControls(s, o);
    const bool free = s == 0 || (s & StateBit::tx(StateBit::Loopback));
    for (QPushButton *button : std::as_const(m_levelButtons))
        button->setEnabled(free);
    showLevel();
}

void LbForm::showLevel()
{
    const quint8 level = m_device->loopLevel[currentProc()];
    const QIcon arrow(QStringLiteral(":/arrow-icon.png"));
    for (int i = 0; i < m_levelIndicators.size(); ++i)
        m_levelIndicators[i]->setIcon(i == level ? arrow : QIcon());
}

void LbForm::load(const ConfigBlock &b)
{
    ui->cMACsrc->setChecked(flag(b, F::ReplaceMacSrc));
    ui->cMACdst->setChecked(flag(b, F::ReplaceMacDst));
    loadMac(ui->lMACsrc, b, F::MacSrc);
    loadMac(ui->lMACdst, b, F::MacDst);
    ui->cVLAN->setChecked(flag(b, F::ReplaceVlan));
    Kept::showSpin(ui->sVLAN, qint32(get32(b, F::Vlan))); // the tester's field is signed
    ui->cPrio->setChecked(flag(b, F::ReplacePrio));
    Kept::showSpin(ui->sPrio, get8(b, F::Prio));
    ui->cIPsrc->setChecked(flag(b, F::ReplaceIpSrc));
    ui->cIPdst->setChecked(flag(b, F::ReplaceIpDst));
    loadIp(ui->lIPsrc, b, F::IpSrc);
    loadIp(ui->lIPdst, b, F::IpDst);
    m_header->load(b, kHeader);
}

void LbForm::store(ConfigBlock &b, quint8 proc)
{
    const ConfigBlock &defaults = LbDefaults::Port[proc & 1];
    putFlag(b, F::ReplaceMacSrc, ui->cMACsrc);
    putFlag(b, F::ReplaceMacDst, ui->cMACdst);
    storeMac(ui->lMACsrc, b, F::MacSrc, defaults);
    storeMac(ui->lMACdst, b, F::MacDst, defaults);
    putFlag(b, F::ReplaceVlan, ui->cVLAN);
    put32(b, F::Vlan, Kept::spinValue(ui->sVLAN, get32(b, F::Vlan)));
    putFlag(b, F::ReplacePrio, ui->cPrio);
    put8(b, F::Prio, quint8(Kept::spinValue(ui->sPrio, get8(b, F::Prio))));
    putFlag(b, F::ReplaceIpSrc, ui->cIPsrc);
    putFlag(b, F::ReplaceIpDst, ui->cIPdst);
    storeIp(ui->lIPsrc, b, F::IpSrc, defaults);
    storeIp(ui->lIPdst, b, F::IpDst, defaults);
    m_header->store(b, kHeader, defaults);
}
