#include "headersettings.h"

#include "conversions.h"
#include "validators.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

template <typename W>
W *named(QWidget *form, const char *name)
{
    return form->findChild<W *>(QLatin1String(name));
}

void setEnabled(QWidget *w, bool on)
{
    if (w)
        w->setEnabled(on);
}

void setVisible(QWidget *w, bool on)
{
    if (w)
        w->setVisible(on);
}

void setChecked(QGroupBox *g, bool on)
{
    if (g)
        g->setChecked(on);
}

bool fits(std::size_t offset, std::size_t width, std::size_t size)
{
    const bool ok = offset != HeaderFields::None && offset + width <= size;
    Q_ASSERT(offset == HeaderFields::None || ok);
    return ok;
}

} // namespace

HeaderSettings::HeaderSettings(QWidget *form, QObject *parent)
    : QObject(parent)
    , m_macAuto(named<QCheckBox>(form, "cMacAuto"))
    , m_mac(named<QLineEdit>(form, "lMACdst"))
    , m_level3(named<QCheckBox>(form, "cLvl3"))
    , m_ipLabel(named<QWidget>(form, "lIPdstl"))
    , m_ip(named<QLineEdit>(form, "lIPdst"))
    , m_tosGroup(named<QGroupBox>(form, "gToS"))
    , m_tosLabel(named<QWidget>(form, "lToSl"))
    , m_tos(named<QComboBox>(form, "cbToS"))
    , m_precLabel(named<QWidget>(form, "lPrecl"))
    , m_prec(named<QComboBox>(form, "cbPrec"))
    , m_dscpGroup(named<QGroupBox>(form, "gDSCP"))
    , m_dscp(named<QComboBox>(form, "cbDSCP"))
    , m_level4(named<QCheckBox>(form, "cLvl4"))
    , m_udpSrcLabel(named<QWidget>(form, "lUDPsrcl"))
    , m_udpSrc(named<QSpinBox>(form, "sUDPsrc"))
    , m_udpDstLabel(named<QWidget>(form, "lUDPdstl"))
    , m_udpDst(named<QSpinBox>(form, "sUDPdst"))
{
    fillCombos();
    Validators::installMac(m_mac);
    Validators::installIpv4(m_ip);
    for (QSpinBox *port : {m_udpSrc, m_udpDst}) {
        if (port)
            port->setRange(1, 65535);
    }

    if (m_macAuto)
        connect(m_macAuto, &QCheckBox::stateChanged, this, &HeaderSettings::cMacChangeState);
    if (m_level3)
        connect(m_level3, &QCheckBox::toggled, this, &HeaderSettings::cLvl3Toggled);
    if (m_level4)
        connect(m_level4, &QCheckBox::toggled, this, &HeaderSettings::cLvl4Toggled);
    if (m_tosGroup)
        connect(m_tosGroup, &QGroupBox::toggled, this, &HeaderSettings::gToSToggled);
    if (m_dscpGroup)
        connect(m_dscpGroup, &QGroupBox::toggled, this, &HeaderSettings::gDSCPToggled);

    // Bring the widgets in line with the form's initial check states.
    if (m_macAuto)
        cMacChangeState(m_macAuto->checkState());
    if (m_level3)
        cLvl3Toggled(m_level3->isChecked());
    else if (m_level4)
        cLvl4Toggled(m_level4->isChecked());
    gToSToggled(m_tosGroup && m_tosGroup->isChecked());
    if (!(m_tosGroup && m_tosGroup->isChecked()))
        gDSCPToggled(m_dscpGroup && m_dscpGroup->isChecked());
}

void HeaderSettings::fillCombos()
{
    if (m_tos) {
        m_tos->clear();
        for (int i = 0; i < Conv::TosItems; ++i)
            m_tos->addItem(Conv::tosItemText(i));
    }
    if (m_prec) {
        m_prec->clear();
        for (int i = 0; i < Conv::PrecedenceItems; ++i)
            m_prec->addItem(QString::number(i));
    }
    if (m_dscp) {
        m_dscp->clear();
        for (int i = 0; i < Conv::DscpItems; ++i)
            m_dscp->addItem(Conv::dscpName(i));
        // What a zero DS byte shows, until a block is loaded.
        m_dscp->setCurrentIndex(Conv::DscpDefaultIndex);
    }
}

void HeaderSettings::retranslate()
{
    if (m_dscp && m_dscp->count() > Conv::DscpDefaultIndex)
        m_dscp->setItemText(Conv::DscpDefaultIndex, Conv::dscpName(Conv::DscpDefaultIndex));
}

quint8 HeaderSettings::replaceMode() const
{
    if (m_tosGroup && m_tosGroup->isChecked())
        return 1;
    if (m_dscpGroup && m_dscpGroup->isChecked())
        return 2;
    return 0;
}

void HeaderSettings::cMacChangeState(int state)
{
    setEnabled(m_mac, state == Qt::Unchecked);
}

void HeaderSettings::cLvl3Toggled(bool on)
{
    for (QWidget *w : {m_ipLabel, static_cast<QWidget *>(m_ip), static_cast<QWidget *>(m_tosGroup),
                       static_cast<QWidget *>(m_dscpGroup), static_cast<QWidget *>(m_level4)})
        setVisible(w, on);
    cLvl4Toggled(m_level4 && m_level4->isChecked());
}

void HeaderSettings::cLvl4Toggled(bool on)
{
    const bool show = on && (!m_level3 || m_level3->isChecked());
    for (QWidget *w : {m_udpSrcLabel, static_cast<QWidget *>(m_udpSrc), m_udpDstLabel,
                       static_cast<QWidget *>(m_udpDst)})
        setVisible(w, show);
}

// At most one of the two replacements is in force: ticking one group locks
// the other.
void HeaderSettings::gToSToggled(bool on)
{
    for (QWidget *w : {m_tosLabel, static_cast<QWidget *>(m_tos), m_precLabel,
                       static_cast<QWidget *>(m_prec)})
        setEnabled(w, on);
    setEnabled(m_dscpGroup, !on);
}

void HeaderSettings::gDSCPToggled(bool on)
{
    setEnabled(m_dscp, on);
    setEnabled(m_tosGroup, !on);
}

void HeaderSettings::loadFrom(const quint8 *b, std::size_t size, const HeaderFields &f)
{
    if (m_macAuto && fits(f.autoMac, 1, size))
        m_macAuto->setChecked(b[f.autoMac] != 0);
    if (m_mac && fits(f.mac, Conv::MacSize, size))
        m_mac->setText(Conv::macToText(b + f.mac));
    if (m_level3 && fits(f.level3, 1, size))
        m_level3->setChecked(b[f.level3] != 0);
    if (m_ip && fits(f.ip, 4, size))
        m_ip->setText(Conv::ipToText(Bytes::get32(b, f.ip)));

    const bool modeKnown = fits(f.mode, 1, size);
    const quint8 mode = modeKnown ? b[f.mode] : 0;
    if (modeKnown)
        setChecked(m_tosGroup, mode == 1);
    if (fits(f.tos, 1, size)) {
        if (m_tos)
            m_tos->setCurrentIndex(Conv::tosIndexOfByte(b[f.tos]));
        if (m_prec)
            m_prec->setCurrentIndex(Conv::precedenceOfByte(b[f.tos]));
    }
    if (modeKnown)
        setChecked(m_dscpGroup, mode == 2);
    if (m_dscp && fits(f.dscp, 1, size))
        m_dscp->setCurrentIndex(Conv::dscpIndexOfByte(b[f.dscp]));

    if (m_level4 && fits(f.level4, 1, size))
        m_level4->setChecked(b[f.level4] != 0);
    if (m_udpDst && fits(f.udpDst, 2, size))
        m_udpDst->setValue(Bytes::get16(b, f.udpDst));
    if (m_udpSrc && fits(f.udpSrc, 2, size))
        m_udpSrc->setValue(Bytes::get16(b, f.udpSrc));
}

void HeaderSettings::storeInto(quint8 *b, const quint8 *defaults, std::size_t size,
                               const HeaderFields &f)
{
    if (m_macAuto && fits(f.autoMac, 1, size))
        b[f.autoMac] = m_macAuto->isChecked() ? 1 : 0;
    if (m_mac && fits(f.mac, Conv::MacSize, size)) {
        Conv::textToMac(Validators::textOrDefault(m_mac, Conv::macToText(defaults + f.mac)), b + f.mac);
    }
    if (m_level3 && fits(f.level3, 1, size))
        b[f.level3] = m_level3->isChecked() ? 1 : 0;
    if (m_ip && fits(f.ip, 4, size)) {
        Bytes::put32(b, f.ip, Conv::textToIp(Validators::textOrDefault(m_ip, Conv::ipToText(Bytes::get32(defaults, f.ip)))));
    }
    if ((m_tos || m_prec) && fits(f.tos, 1, size)) {
        const quint8 old = b[f.tos];
        const int tos = m_tos ? m_tos->currentIndex() : Conv::tosIndexOfByte(old);
        quint8 byte = Conv::tosByte(old, tos, m_prec ? m_prec->currentIndex() : Conv::precedenceOfByte(old));
        // A ToS value the combo cannot show (two bits set) goes back as it
        // came unless the user picked another one.
        if (tos == Conv::tosIndexOfByte(old))
            byte = quint8((byte & ~Conv::TosValueBits) | (old & Conv::TosValueBits));
        b[f.tos] = byte;
    }
    if (fits(f.mode, 1, size))
        b[f.mode] = replaceMode();
    if (m_dscp && fits(f.dscp, 1, size))
        b[f.dscp] = Conv::dsByte(m_dscp->currentIndex());
    if (m_level4 && fits(f.level4, 1, size))
        b[f.level4] = m_level4->isChecked() ? 1 : 0;
    if (m_udpDst && fits(f.udpDst, 2, size))
        Bytes::put16(b, f.udpDst, quint16(m_udpDst->value()));
    if (m_udpSrc && fits(f.udpSrc, 2, size))
        Bytes::put16(b, f.udpSrc, quint16(m_udpSrc->value()));
}
