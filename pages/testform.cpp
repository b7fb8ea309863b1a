#include "testform.h"

#include "zorqv.h"

bool TestForm::reclaimPoll(quint32 active)
{
    if (!m_shownByWindow || !m_device->connected || m_device->activeTest != 0)
        return false;
    m_device->activeTest = active;
    return true;
}
