#include "deviceform.h"

#include "testcodes.h"
#include "zorqv.h"

#include <QAbstractButton>

namespace {
constexpr quint8 kWrite = 0x01;
} // namespace

DeviceForm::DeviceForm(Zorqv *device, quint8 test, quint32 active, const QList<quint8> &parts,
                       QWidget *parent)
    : TestForm(device, parent)
    , m_test(test)
    , m_active(active)
    , m_parts(parts)
    , m_known(parts.size(), false)
{
}

void DeviceForm::bindControls(QAbstractButton *apply, QAbstractButton *reset)
{
    m_apply = apply;
    connect(apply, &QAbstractButton::clicked, this, &DeviceForm::bApplyClicked);
    connect(reset, &QAbstractButton::clicked, this, &DeviceForm::bResetClicked);
    refreshControls();
}

void DeviceForm::fetchIfNeeded()
{
    if (!m_fetch)
        return;
    m_fetch = false;
    for (const quint8 part : m_parts)
        Q_EMIT gs_cfg(requestCode(m_test, part));
}

void DeviceForm::configArrived(int part)
{
    if (part < 0 || part >= m_known.size())
        return;
    m_known[part] = true;
    // Everything is known now; a read of it would be redundant.
    if (configKnown())
        m_fetch = false;
    refreshControls();
}

bool DeviceForm::configKnown() const
{
    return !m_known.contains(false);
}

void DeviceForm::refreshControls()
{
    if (m_apply)
        m_apply->setEnabled(configKnown() && mayApply());
}

void DeviceForm::activate()
{
    m_device->activeTest = m_active;
    fetchIfNeeded();
    show();
}

void DeviceForm::status_upd()
{
    if (!m_device->connected) {
        m_fetch = true;
        m_known.fill(false);
    } else if (reclaimPoll(m_active)) {
        fetchIfNeeded();
    }
    refreshControls();
}

void DeviceForm::switch_proc(unsigned char port)
{
    Q_UNUSED(port)
}

void DeviceForm::bApplyClicked()
{
    refreshControls();
    if (!m_apply || !m_apply->isEnabled())
        return;
    storeConfig();
    for (const quint8 part : m_parts)
        Q_EMIT gs_cfg(requestCode(m_test, part | kWrite));
}

void DeviceForm::bResetClicked()
{
    for (const quint8 part : m_parts)
        Q_EMIT gs_cfg(requestCode(m_test, part));
}
