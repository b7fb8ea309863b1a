#include "processform.h"

#include "headersettings.h"
#include "livecharts.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QAbstractButton>
#include <QGroupBox>

ProcessForm::ProcessForm(Zorqv *device, const PageIds &ids, QWidget *parent)
    : ProcessForm(device, QList<PageIds>{ids}, parent)
{
}

ProcessForm::ProcessForm(Zorqv *device, const QList<PageIds> &tests, QWidget *parent)
    : TestForm(device, parent)
    , m_tests(tests)
    , m_known(tests.size(), {false, false})
{
    Q_ASSERT(!m_tests.isEmpty());
    for (const PageIds &t : m_tests)
        m_hasConfig = m_hasConfig || t.hasConfig;
}

void ProcessForm::selectTest(int index)
{
    if (index < 0 || index >= m_tests.size())
        return;
    const bool open = isOpen();
    m_selected = index;
    if (open)
        m_device->activeTest = ids().active;
    refreshControls();
}

int ProcessForm::testIndex(unsigned short code) const
{
    for (int i = 0; i < m_tests.size(); ++i) {
        if (m_tests[i].test == (code & 0xFF))
            return i;
    }
    return -1;
}

void ProcessForm::bindControls(const PageControls &controls)
{
    m_controls = controls;
    auto wire = [this](QAbstractButton *button, void (ProcessForm::*slot)()) {
        if (button)
            connect(button, &QAbstractButton::clicked, this, slot);
    };
    wire(m_controls.startXX, &ProcessForm::bStartXXClicked);
    wire(m_controls.startXY, &ProcessForm::bStartXYClicked);
    wire(m_controls.start, &ProcessForm::bStartClicked);
    wire(m_controls.stop, &ProcessForm::bStopClicked);
    wire(m_controls.apply, &ProcessForm::bApplyClicked);
    wire(m_controls.reset, &ProcessForm::bResetClicked);
    retitle(m_titlePort);
    refreshControls();
}

void ProcessForm::refreshControls()
{
    updateControls(state(currentProc()), state(currentProc() ^ 1));
}

bool ProcessForm::stillEnabled(QAbstractButton *button)
{
    refreshControls();
    return button && button->isEnabled();
}

HeaderSettings *ProcessForm::bindHeader(QWidget *form)
{
    m_header = new HeaderSettings(form, this);
    return m_header;
}

LiveCharts *ProcessForm::addLiveCharts(int columns, QBoxLayout *layout, int test)
{
    m_chartTest = test;
    m_charts = new LiveCharts(columns, layout, this);
    m_charts->showPort(m_titlePort);
    return m_charts;
}

double ProcessForm::sampleTime(quint8 proc) const
{
    return double(m_device->elapsedSeconds(proc));
}

void ProcessForm::retranslate()
{
    retranslateForm();
    if (m_header)
        m_header->retranslate();
    if (m_charts)
        m_charts->retranslate();
    retitle(m_titlePort);
}

quint8 ProcessForm::currentProc() const
{
    return m_device->curProc ? 1 : 0;
}

quint32 ProcessForm::state(quint8 proc) const
{
    return m_device->procState[proc & 1];
}

bool ProcessForm::running() const
{
    return state(currentProc()) & StateBit::tx(ids().stateBit);
}

bool ProcessForm::isOpen() const
{
    return m_device->activeTest == ids().active;
}

quint16 ProcessForm::readCode() const
{
    return requestCode(ids().test, 0);
}

quint16 ProcessForm::writeCode() const
{
    return requestCode(ids().test, 1);
}

void ProcessForm::fetchIfNeeded(quint8 proc)
{
    proc &= 1;
    if (!m_hasConfig || !m_fetch[proc])
        return;
    m_fetch[proc] = false;
    for (const PageIds &t : m_tests) {
        if (t.hasConfig)
            Q_EMIT gs_cfg(requestCode(t.test, 0));
    }
}

// Brings the widgets to the current process; what they showed until now is
// kept in the buffer of the process they belonged to.
void ProcessForm::followCurrent()
{
    const quint8 cur = currentProc();
    if (cur != m_titlePort)
        retitle(cur);
    if (!m_hasConfig || m_shown == cur)
        return;
    storeConfig(m_shown);
    showConfig(cur);
    m_shown = cur;
}

void ProcessForm::retitle(quint8 port)
{
    m_titlePort = port & 1;
    setTitles(m_titlePort);
    if (m_charts)
        m_charts->showPort(m_titlePort);
    if (m_controls.startXX)
        m_controls.startXX->setText(m_titlePort ? tr("Start B->B") : tr("Start A->A"));
    if (m_controls.startXY)
        m_controls.startXY->setText(m_titlePort ? tr("Start B->A") : tr("Start A->B"));
}

void ProcessForm::setTitles(quint8 port)
{
    if (m_controls.group)
        m_controls.group->setTitle(title(port));
}

void ProcessForm::activate()
{
    m_device->activeTest = ids().active;
    followCurrent();
    fetchIfNeeded(currentProc());
    show();
}

void ProcessForm::status_upd()
{
    if (!m_device->connected) {
        m_fetch[0] = m_fetch[1] = true;
        m_known.fill({false, false});
        if (m_charts)
            m_charts->linkLost();
    } else if (reclaimPoll(ids().active)) {
        fetchIfNeeded(currentProc());
    }
    refreshControls();
}

void ProcessForm::updateControls(quint32 s, quint32 o)
{
    const bool runs = s & StateBit::tx(ids().stateBit);
    auto enable = [](QAbstractButton *button, bool on) {
        if (button)
            button->setEnabled(on);
    };
    enable(m_controls.startXX, s == 0);
    enable(m_controls.startXY, s == 0 && o == 0 && !m_device->isQvb);
    enable(m_controls.start, s == 0);
    enable(m_controls.stop, runs);
    const bool applies = (!runs || m_applyWhileRunning) && (!ids().hasConfig || configKnown(currentProc()));
    enable(m_controls.apply, applies);
    enable(m_controls.defaults, applies);
}

void ProcessForm::res_rcv(unsigned short code)
{
    const int test = testIndex(code);
    const unsigned proc = code >> 8;
    if (test < 0 || proc > 1)
        return;
    if (m_charts && test == m_chartTest && (state(quint8(proc)) & StateBit::tx(m_tests[test].stateBit)))
        sample(quint8(proc), test);
    if (proc != currentProc())
        return;
    showTestResult(currentProc(), test);
}

void ProcessForm::cfg_rcv(unsigned short code)
{
    const unsigned proc = code >> 8;
    const int test = testIndex(code);
    if (test < 0 || !m_tests[test].hasConfig || proc > 1)
        return;
    m_known[test][proc] = true;
    // Once every configuration of proc is known, a read would be redundant.
    bool all = true;
    for (int i = 0; i < m_tests.size(); ++i)
        all = all && (m_known[i][proc] || !m_tests[i].hasConfig);
    if (all)
        m_fetch[proc] = false;
    takeTestConfig(quint8(proc), test);
    if (proc != currentProc())
        return;
    if (m_shown != proc) {
        storeConfig(m_shown);
        m_shown = quint8(proc);
        showConfig(quint8(proc));
    } else {
        showTestConfig(quint8(proc), test);
    }
    refreshControls();
}

void ProcessForm::switch_proc(unsigned char port)
{
    const quint8 next = port ? 1 : 0;
    retitle(next);
    // At once, not at the next poll: a Stop left enabled from the other
    // port would act on this one.
    refreshControls();
    if (!isOpen() || !m_hasConfig)
        return;
    const bool leaving = m_shown != next;
    if (leaving)
        storeConfig(m_shown);
    fetchIfNeeded(next);
    if (leaving) {
        showConfig(next);
        m_shown = next;
    }
}

void ProcessForm::startWith(QAbstractButton *button, quint16 code, bool starts)
{
    if (!stillEnabled(button))
        return;
    if (starts && m_charts && m_selected == m_chartTest)
        m_charts->start(currentProc());
    Q_EMIT start_test(code);
}

void ProcessForm::bStartXXClicked()
{
    startWith(m_controls.startXX, m_startCode.value_or(requestCode(ids().test, 1)));
}

void ProcessForm::bStartXYClicked()
{
    startWith(m_controls.startXY, m_startCode.value_or(requestCode(ids().test, 0)));
}

void ProcessForm::bStartClicked()
{
    startWith(m_controls.start, m_startCode.value_or(requestCode(ids().test, 0)));
}

void ProcessForm::bStopClicked()
{
    startWith(m_controls.stop, m_stopCode.value_or(requestCode(ids().test, 0)), false);
}

void ProcessForm::bApplyClicked()
{
    if (!ids().hasConfig || !stillEnabled(m_controls.apply))
        return;
    followCurrent();
    const quint8 cur = currentProc();
    storeConfig(cur);
    giveTestConfig(cur, m_selected);
    Q_EMIT gs_cfg(writeCode());
}

void ProcessForm::bResetClicked()
{
    if (ids().hasConfig)
        Q_EMIT gs_cfg(readCode());
}
