#pragma once

#include "testform.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class HeaderSettings;
class LiveCharts;
class QBoxLayout;
class QAbstractButton;
class QGroupBox;

// What identifies a per-process page to the engine.
struct PageIds
{
    quint8 test = 0;           // TestNo: low byte of every code the page uses
    quint32 active = 0;        // ActiveTest: the page's bit in the active-test word
    int stateBit = 0;          // StateBit: set in the state word while the test runs
    bool hasConfig = true;     // false: no configuration to fetch, apply or reset
};

// The page's widgets that the shared behaviour drives. Any may be absent.
struct PageControls
{
    QGroupBox *group = nullptr;           // main group, retitled per port
    QAbstractButton *startXX = nullptr;   // start on the port itself
    QAbstractButton *startXY = nullptr;   // start towards the other port
    QAbstractButton *start = nullptr;     // single start button
    QAbstractButton *stop = nullptr;
    QAbstractButton *apply = nullptr;
    QAbstractButton *reset = nullptr;
    QAbstractButton *defaults = nullptr;  // enabled like apply
};

// The behaviour every per-process page shares: fetching the configuration
// on demand, the per-process edit buffers kept across port switches,
// Apply/Reset, the start and stop codes, the enabling rule and the per-port
// titles. A page with a configuration supplies the buffer hooks (BlockForm does three of
// them for a page with one block), its result display and its title.
//
// A page may carry several tests, one per tab (ping, trace and DNS): the
// selected one is what the buttons, the poll and the enabling act on, while
// fetching, port switches and the edit buffers cover all of them.
//
// The page tracks which process its widgets show. A port switch while the
// page is closed only retitles it; the widgets catch up (keeping their
// unapplied edits in the buffer of the process they showed) when the page
// is opened again or the current process's configuration arrives.
//
// Apply is usable only once this connection's configuration of the current
// process has arrived, so the widgets' defaults are never written to the
// tester. A click is acted on only if the enabling rule, run again on the
// latest state word, still allows its button. Whenever the widgets are read
// into a buffer (Apply, a port switch) a MAC, IP or pattern text that its
// validator would not accept is first replaced, in its field, by the
// built-in default of that test and process; nothing is said about it.
class ProcessForm : public TestForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProcessForm)

public:
    void retranslate() override;

    // The process whose buffer the widgets show.
    quint8 shownProcess() const { return m_shown; }

public Q_SLOTS:
    void activate() override;
    void status_upd() override;
    void res_rcv(unsigned short code) override;
    void cfg_rcv(unsigned short code) override;
    void switch_proc(unsigned char port) override;

protected Q_SLOTS:
    virtual void bStartXXClicked();
    virtual void bStartXYClicked();
    virtual void bStartClicked();
    virtual void bStopClicked();
    virtual void bApplyClicked();
    virtual void bResetClicked();

protected:
    ProcessForm(Zorqv *device, const PageIds &ids, QWidget *parent = nullptr);
    // A page of several tests; the first is selected.
    ProcessForm(Zorqv *device, const QList<PageIds> &tests, QWidget *parent = nullptr);

    // Selects the test the page acts on (its tab). An open page moves the
    // poll to it; a closed one leaves the active-test word to its owner.
    void selectTest(int index);
    int selectedTest() const { return m_selected; }

    // Call once after the designer form is set up: connects the buttons,
    // titles the page for port A and applies the enabling rule.
    void bindControls(const PageControls &controls);
    // For a page whose start and stop codes are not the usual ones (start
    // XX: argument 1; start XY, single start and stop: argument 0).
    void setRunCodes(quint16 start, quint16 stop)
    {
        m_startCode = start;
        m_stopCode = stop;
    }
    // For a setting that switches the running test itself on and off.
    void setApplyWhileRunning(bool on) { m_applyWhileRunning = on; }
    // Creates the header-settings binder on the page's form; it is then
    // retranslated with the page.
    HeaderSettings *bindHeader(QWidget *form);
    // Live charts of test (index) placed in layout, a store of columns per
    // process. From then on every result poll of the test while it runs on
    // its process calls sample(); its Start begins a new run, a lost link
    // breaks the lines.
    LiveCharts *addLiveCharts(int columns, QBoxLayout *layout, int test = 0);
    LiveCharts *liveCharts() const { return m_charts; }
    // One poll's values for the charts: the page records them (usually one
    // row at sampleTime()). Called while the test runs on proc.
    virtual void sample(quint8 proc, int test) { Q_UNUSED(proc) Q_UNUSED(test) }
    // The tester's elapsed seconds of the test on proc.
    virtual double sampleTime(quint8 proc) const;

    // Buffer hooks, all for process proc (0 or 1).
    // A page without a configuration needs none of them; a page with
    // several tests moves its buffers per test (the hooks below).
    virtual void takeConfig(quint8 proc) { Q_UNUSED(proc) } // device record -> buffer
    virtual void giveConfig(quint8 proc) { Q_UNUSED(proc) } // buffer -> device record
    virtual void showConfig(quint8 proc) { Q_UNUSED(proc) }   // buffer -> widgets
    virtual void storeConfig(quint8 proc) { Q_UNUSED(proc) }  // widgets -> buffer
    // A result block of the current process has arrived.
    virtual void showResult(quint8 proc) { Q_UNUSED(proc) }
    // The same hooks for one test of a page with several (index into its
    // tests); showConfig and storeConfig cover all of a page's tests.
    virtual void takeTestConfig(quint8 proc, int test) { Q_UNUSED(test) takeConfig(proc); }
    virtual void giveTestConfig(quint8 proc, int test) { Q_UNUSED(test) giveConfig(proc); }
    virtual void showTestConfig(quint8 proc, int test) { Q_UNUSED(test) showConfig(proc); }
    virtual void showTestResult(quint8 proc, int test) { Q_UNUSED(test) showResult(proc); }
    // "Xyz (Port A)" / "Xyz (Port B)", translated.
    virtual QString title(quint8 port) const = 0;
    // Titles the page's groups for port; by default the main group.
    virtual void setTitles(quint8 port);
    // The page's own texts: its designer form's retranslateUi and more.
    virtual void retranslateForm() = 0;
    // s and o: the state words of the current and the other process.
    virtual void updateControls(quint32 s, quint32 o);

    quint8 currentProc() const;
    quint32 state(quint8 proc) const;
    bool running() const;  // the page's test runs on the current process
    bool isOpen() const;
    // This connection's configuration of proc for the selected test has arrived.
    bool configKnown(quint8 proc) const { return m_known[m_selected][proc & 1]; }
    // The selected test.
    const PageIds &ids() const { return m_tests[m_selected]; }
    quint16 readCode() const;
    quint16 writeCode() const;
    // Emits the read request for proc if it is still due.
    void fetchIfNeeded(quint8 proc);
    // Runs the enabling rule on the current state word and tells whether
    // button may still act.
    bool stillEnabled(QAbstractButton *button);

private:
    void followCurrent();
    void retitle(quint8 port);
    void refreshControls();
    void startWith(QAbstractButton *button, quint16 code, bool starts = true);
    int testIndex(unsigned short code) const;

    const QList<PageIds> m_tests;
    int m_selected = 0;
    bool m_hasConfig = false; // any of the tests has a configuration
    PageControls m_controls;
    HeaderSettings *m_header = nullptr;
    LiveCharts *m_charts = nullptr;
    int m_chartTest = 0;
    bool m_fetch[2] = {true, true};
    QList<std::array<bool, 2>> m_known; // per test, per process
    std::optional<quint16> m_startCode;
    std::optional<quint16> m_stopCode;
    bool m_applyWhileRunning = false;
    quint8 m_shown = 0;
    quint8 m_titlePort = 0;
};
