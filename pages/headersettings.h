#pragma once

#include "block.h"
#include "headerfields.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QWidget;

// The header-settings widgets of a traffic page, found by their object
// names in the page's own designer form: cMacAuto, lMACdst, cLvl3,
// lIPdstl/lIPdst, gToS with lToSl/cbToS and lPrecl/cbPrec, gDSCP with
// cbDSCP, cLvl4, lUDPsrcl/sUDPsrc, lUDPdstl/sUDPdst. A form may have only
// some of them (loopback has only the ToS/DSCP part).
//
// The binder fills the ToS, precedence and DSCP combos (leave them empty in
// the form), installs the MAC and IPv4 validators, keeps the enabling and
// visibility rules, and moves the fields between widgets and a block.
class HeaderSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeaderSettings)

public:
    explicit HeaderSettings(QWidget *form, QObject *parent = nullptr);

    // Block -> widgets, in the order cMacAuto, lMACdst, cLvl3, lIPdst, gToS,
    // cbToS, cbPrec, gDSCP, cbDSCP, cLvl4, sUDPdst, sUDPsrc.
    template <std::size_t N>
    void load(const Block<N> &block, const HeaderFields &fields)
    {
        loadFrom(block.data(), N, fields);
    }
    // Widgets -> block. A MAC or IP text that is not an exact match is first
    // replaced, in the widget, by the field of the default block.
    template <std::size_t N>
    void store(Block<N> &block, const HeaderFields &fields, const Block<N> &defaults)
    {
        storeInto(block.data(), defaults.data(), N, fields);
    }

    // The replace mode the widgets select: 1 if gToS is checked, else 2 if
    // gDSCP is checked, else 0.
    quint8 replaceMode() const;

    void retranslate();

private Q_SLOTS:
    void cMacChangeState(int state);
    void cLvl3Toggled(bool on);
    void cLvl4Toggled(bool on);
    void gToSToggled(bool on);
    void gDSCPToggled(bool on);

private:
    void fillCombos();
    void loadFrom(const quint8 *block, std::size_t size, const HeaderFields &f);
    void storeInto(quint8 *block, const quint8 *defaults, std::size_t size, const HeaderFields &f);

    QCheckBox *m_macAuto = nullptr;
    QLineEdit *m_mac = nullptr;
    QCheckBox *m_level3 = nullptr;
    QWidget *m_ipLabel = nullptr;
    QLineEdit *m_ip = nullptr;
    QGroupBox *m_tosGroup = nullptr;
    QWidget *m_tosLabel = nullptr;
    QComboBox *m_tos = nullptr;
    QWidget *m_precLabel = nullptr;
    QComboBox *m_prec = nullptr;
    QGroupBox *m_dscpGroup = nullptr;
    QComboBox *m_dscp = nullptr;
    QCheckBox *m_level4 = nullptr;
    QWidget *m_udpSrcLabel = nullptr;
    QSpinBox *m_udpSrc = nullptr;
    QWidget *m_udpDstLabel = nullptr;
    QSpinBox *m_udpDst = nullptr;
};
