#include "ifsetform.h"
#include "ui_ifsetform.h"

#include "ifaceform.h"
#include "iflayout.h"
#include "testcodes.h"
#include "zorqv.h"

namespace {

// The argument bits that name the interface of a request (bits 7..6).
constexpr quint8 argumentOf(std::size_t iface)
{
    return quint8(iface << 6);
}

constexpr std::size_t kInterfaces[2] = {IfaceIndex::PortA, IfaceIndex::RemoteControl};

} // namespace

IfsetForm::IfsetForm(Zorqv *device, QWidget *parent)
    : DeviceForm(device, TestNo::Iface, ActiveTest::Iface,
                 {argumentOf(kInterfaces[0]), argumentOf(kInterfaces[1])}, parent)
    , ui(std::make_unique<Ui::IfsetForm>())
{
    ui->setupUi(this);
    QWidget *tabs[2] = {ui->tabA, ui->tabRC};
    for (int t = 0; t < 2; ++t) {
        m_tabs[t] = new IFaceForm(device, int(kInterfaces[t]), tabs[t]);
        tabs[t]->layout()->addWidget(m_tabs[t]);
    }
    bindControls(ui->bApply, ui->bReset);
}

IfsetForm::~IfsetForm() = default;

void IfsetForm::retranslate()
{
    ui->retranslateUi(this);
    for (IFaceForm *tab : m_tabs)
        tab->retranslate();
}

IFaceForm *IfsetForm::tabFor(unsigned short code) const
{
    if ((code & 0xFF) != test())
        return nullptr;
    for (IFaceForm *tab : m_tabs) {
        if (std::size_t(code >> 8) == std::size_t(tab->iface()))
            return tab;
    }
    return nullptr;
}

void IfsetForm::cfg_rcv(unsigned short code)
{
    IFaceForm *tab = tabFor(code);
    if (!tab)
        return;
    tab->load(m_device->ifaceConfig[tab->iface()]);
    configArrived(tab == m_tabs[0] ? 0 : 1);
}

void IfsetForm::res_rcv(unsigned short code)
{
    if (IFaceForm *tab = tabFor(code))
        tab->showDhcpAddresses();
}

bool IfsetForm::mayApply() const
{
    return m_device->procState[0] == 0 && m_device->procState[1] == 0;
}

void IfsetForm::storeConfig()
{
    for (IFaceForm *tab : m_tabs) {
        IfaceConfigBlock block = tab->store();
        IfaceConfigBlock &record = m_device->ifaceConfig[tab->iface()];
        // The OAM page owns this byte; the record has its latest value.
        block[IfaceConfigField::OamMode] = record[IfaceConfigField::OamMode];
        record = block;
    }
}
