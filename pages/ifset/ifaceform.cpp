#include "ifaceform.h"
#include "ui_ifaceform.h"

#include "conversions.h"
#include "iflayout.h"
#include "validators.h"
#include "zorqv.h"

#include <QSignalBlocker>

IFaceForm::IFaceForm(Zorqv *device, int iface, QWidget *parent)
    : QWidget(parent)
    , m_device(device)
    , m_iface(iface)
    , ui(std::make_unique<Ui::IFaceForm>())
{
    ui->setupUi(this);
    m_speeds = {ui->c10, ui->c100, ui->c1000};
    m_tpid = {ui->lTPID1, ui->lTPID2, ui->lTPID3};
    m_pcp = {ui->sPCP1, ui->sPCP2, ui->sPCP3};
    m_vid = {ui->sVID1, ui->sVID2, ui->sVID3};
    m_label = {ui->lValue1, ui->lValue2, ui->lValue3};
    m_qos = {ui->sQoS1, ui->sQoS2, ui->sQoS3};
    m_ttl = {ui->sTTL1, ui->sTTL2, ui->sTTL3};

    Validators::installMac(ui->lMAC);
    Validators::installIpv4(ui->lIP);
    Validators::installSubnetMask(ui->lMask);
    Validators::installIpv4(ui->lGate);
    if (!editsTags()) {
        for (QWidget *g : {ui->gLink, ui->gDuplex, ui->gVLAN, ui->gMPLS})
            g->setEnabled(false);
    }

    connect(ui->c10, &QCheckBox::toggled, this, &IFaceForm::c10toggled);
    connect(ui->c100, &QCheckBox::toggled, this, &IFaceForm::c100toggled);
    connect(ui->c1000, &QCheckBox::toggled, this, &IFaceForm::c1000toggled);
    connect(ui->cHDX, &QCheckBox::toggled, this, &IFaceForm::cHDXtoggled);
    connect(ui->cFDX, &QCheckBox::toggled, this, &IFaceForm::cFDXtoggled);
    connect(ui->cDHCP, &QCheckBox::toggled, this, &IFaceForm::cDHCPToggled);
    connect(ui->bDefaultMac, &QPushButton::clicked, this, &IFaceForm::bDefaultMacClicked);
}

IFaceForm::~IFaceForm() = default;

bool IFaceForm::editsTags() const
{
    return m_iface != int(IfaceIndex::RemoteControl);
}

void IFaceForm::retranslate()
{
    ui->retranslateUi(this);
}

void IFaceForm::load(const IfaceConfigBlock &b)
{
    using namespace IfaceConfigField;
    m_config = b;
    m_linkTouched = false;
    const QSignalBlocker blockers[] = {QSignalBlocker(ui->c10), QSignalBlocker(ui->c100),
                                       QSignalBlocker(ui->c1000), QSignalBlocker(ui->cHDX),
                                       QSignalBlocker(ui->cFDX), QSignalBlocker(ui->cDHCP)};
    const quint8 modes = get8(b, LinkModes);
    for (int s = 0; s < LinkMode::Speeds; ++s)
        m_speeds[s]->setChecked(LinkMode::offersSpeed(modes, s));
    ui->cHDX->setChecked(LinkMode::offersHalf(modes));
    ui->cFDX->setChecked(LinkMode::offersFull(modes));

    ui->lMAC->setText(Conv::macToText(b, Mac));
    ui->sVLAN->setValue(get8(b, VlanCount));
    ui->sMPLS->setValue(get8(b, MplsCount));
    for (std::size_t n = 0; n < Tags; ++n) {
        const quint16 tciValue = get16(b, tci(n));
        m_tpid[n]->setText(tpidText(get16(b, tpid(n))));
        m_pcp[n]->setValue(Tci::pcp(tciValue));
        m_vid[n]->setValue(Tci::vid(tciValue));
        const quint32 entry = get32(b, mpls(n));
        m_label[n]->setText(mplsLabelText(entry));
        m_qos[n]->setValue(Mpls::qos(entry));
        m_ttl[n]->setValue(Mpls::ttl(entry));
    }
    const bool dhcp = get8(b, Dhcp) != 0;
    ui->cDHCP->setChecked(dhcp);
    showAddresses(dhcp);
}

const IfaceConfigBlock &IFaceForm::store()
{
    using namespace IfaceConfigField;
    IfaceConfigBlock &b = m_config;
    const IfaceConfigBlock &defaults = IfaceDefaults::Iface[std::size_t(m_iface)];
    Conv::textToMac(Validators::textOrDefault(ui->lMAC, Conv::macToText(defaults, Mac)), b, Mac);

    if (editsTags()) {
        if (m_linkTouched) {
            const bool speeds[LinkMode::Speeds] = {ui->c10->isChecked(), ui->c100->isChecked(),
                                                   ui->c1000->isChecked()};
            put8(b, LinkModes, LinkMode::compose(speeds, ui->cHDX->isChecked(), ui->cFDX->isChecked()));
        }
        put8(b, VlanCount, quint8(ui->sVLAN->value()));
        put8(b, MplsCount, quint8(ui->sMPLS->value()));
        // The hex fields are read as shown: their masks use '0' for a blank,
        // and text() drops every such '0', so "8100" would read as 0x81.
        for (std::size_t n = 0; n < Tags; ++n) {
            put16(b, tpid(n), quint16(m_tpid[n]->displayText().toUInt(nullptr, 16)));
            put16(b, tci(n), Tci::make(unsigned(m_pcp[n]->value()), unsigned(m_vid[n]->value())));
            put32(b, mpls(n), Mpls::make(m_label[n]->displayText().toUInt(nullptr, 16),
                                         unsigned(m_qos[n]->value()), unsigned(m_ttl[n]->value())));
        }
    }

    const bool dhcp = ui->cDHCP->isChecked();
    put8(b, Dhcp, dhcp ? 1 : 0);
    // The addresses shown under DHCP are the leased ones, not the settings.
    if (dhcp)
        return b;
    struct Address
    {
        QLineEdit *edit;
        std::size_t at;
    };
    // The mask's validator takes the zero-padded octets the page shows.
    for (const Address &a : {Address{ui->lIP, Ip}, Address{ui->lMask, Mask}, Address{ui->lGate, Gateway}})
        put32(b, a.at, Conv::textToIp(Validators::textOrDefault(a.edit, Conv::ipToText(get32(defaults, a.at)))));
    return b;
}

void IFaceForm::showAddresses(bool dhcp)
{
    using namespace IfaceConfigField;
    const std::size_t i = std::size_t(m_iface);
    const quint32 values[] = {
        dhcp ? m_device->ifaceWord1[i] : get32(m_config, Ip),
        dhcp ? m_device->ifaceWord2[i] : get32(m_config, Mask),
        dhcp ? m_device->ifaceWord3[i] : get32(m_config, Gateway),
    };
    QLineEdit *edits[] = {ui->lIP, ui->lMask, ui->lGate};
    for (int k = 0; k < 3; ++k) {
        edits[k]->setText(Conv::ipToText(values[k]));
        edits[k]->setEnabled(!dhcp);
    }
}

void IFaceForm::showDhcpAddresses()
{
    if (ui->cDHCP->isChecked())
        showAddresses(true);
}

void IFaceForm::speedToggled(int speed, bool on)
{
    m_linkTouched = true;
    if (on)
        return;
    QCheckBox *a = m_speeds[(speed + 1) % 3];
    QCheckBox *b = m_speeds[(speed + 2) % 3];
    // At least one speed stays offered.
    if (!a->isChecked() && !b->isChecked()) {
        a->setChecked(true);
        b->setChecked(true);
    }
}

void IFaceForm::c10toggled(bool on)
{
    speedToggled(0, on);
}

void IFaceForm::c100toggled(bool on)
{
    speedToggled(1, on);
}

void IFaceForm::c1000toggled(bool on)
{
    speedToggled(2, on);
}

void IFaceForm::cHDXtoggled(bool on)
{
    m_linkTouched = true;
    if (!on)
        ui->cFDX->setChecked(true);
}

void IFaceForm::cFDXtoggled(bool on)
{
    m_linkTouched = true;
    if (!on)
        ui->cHDX->setChecked(true);
}

void IFaceForm::cDHCPToggled(bool on)
{
    showAddresses(on);
}

void IFaceForm::bDefaultMacClicked()
{
    if (!m_device->connected)
        return;
    const auto mac = DefaultMac::forInterface(m_device->serialNumber, m_device->isQvb, std::size_t(m_iface));
    if (mac)
        ui->lMAC->setText(Conv::macToText(mac->data()));
}
