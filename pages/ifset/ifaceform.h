#pragma once

#include "blocksizes.h"

#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class IFaceForm;
}
class QCheckBox;
class QLineEdit;
class QSpinBox;
class Zorqv;

// One tab of the interface-settings page: the addresses, DHCP, link modes
// and VLAN and MPLS tags of one interface, and its edit buffer. The tab of
// the remote-control port edits only the MAC, DHCP and the addresses; every
// byte a tab does not edit stays as the tester sent it.
class IFaceForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IFaceForm)

public:
    IFaceForm(Zorqv *device, int iface, QWidget *parent = nullptr);
    ~IFaceForm() override;

    int iface() const { return m_iface; }
    // Block -> edit buffer and widgets. Loading fires none of the control
    // rules: what is shown is what the block says.
    void load(const IfaceConfigBlock &block);
    // Widgets -> edit buffer, which is returned. A MAC, IP, mask or gateway
    // text its validator does not accept is first replaced, in the field,
    // by the interface's built-in default.
    const IfaceConfigBlock &store();
    const IfaceConfigBlock &config() const { return m_config; }
    // The device record has new DHCP-obtained addresses for this interface.
    void showDhcpAddresses();
    void retranslate();

private Q_SLOTS:
    void c10toggled(bool on);
    void c100toggled(bool on);
    void c1000toggled(bool on);
    void cHDXtoggled(bool on);
    void cFDXtoggled(bool on);
    void bDefaultMacClicked();
    void cDHCPToggled(bool on);

private:
    void speedToggled(int speed, bool on);
    void showAddresses(bool dhcp);
    bool editsTags() const;

    Zorqv *const m_device;
    const int m_iface;
    std::unique_ptr<Ui::IFaceForm> ui;
    std::array<QCheckBox *, 3> m_speeds{};
    std::array<QLineEdit *, 3> m_tpid{};
    std::array<QSpinBox *, 3> m_pcp{};
    std::array<QSpinBox *, 3> m_vid{};
    std::array<QLineEdit *, 3> m_label{};
    std::array<QSpinBox *, 3> m_qos{};
    std::array<QSpinBox *, 3> m_ttl{};
    IfaceConfigBlock m_config{};
    // A link or duplex box was changed since the block was shown; until
    // then the link-mode byte is written back as received, also when the
    // boxes cannot express it.
    bool m_linkTouched = false;
};
