#pragma once

#include "testform.h"

#include <QList>

class QAbstractButton;

// A page about the whole tester rather than one process (interface
// settings, statistics): it ignores the port choice, has one fetch flag and
// reads and writes its configuration as a fixed list of parts (an
// interface, the statistics flag), all of them at once, in order.
//
// Apply is usable only once this connection's configuration of every part
// has arrived, so the widgets' defaults are never written to the tester. A
// click is acted on only if the enabling rule, run again on the latest
// state words, still allows it; an address text that is not acceptable
// falls back to the part's built-in default as it is read (storeConfig). A
// page still on screen after a reconnect takes the poll back and reads again.
class DeviceForm : public TestForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceForm)

public Q_SLOTS:
    void activate() override;
    void status_upd() override;
    void switch_proc(unsigned char port) override;

protected Q_SLOTS:
    void bApplyClicked();
    void bResetClicked();

protected:
    // parts: the argument of each part's read request (its write request
    // adds the write bit).
    DeviceForm(Zorqv *device, quint8 test, quint32 active, const QList<quint8> &parts,
               QWidget *parent = nullptr);

    // Call once after the designer form is set up.
    void bindControls(QAbstractButton *apply, QAbstractButton *reset);
    // Part i's configuration of this connection has arrived.
    void configArrived(int part);
    bool configKnown() const;
    void refreshControls();

    // The page's own condition for Apply, beyond a known configuration.
    virtual bool mayApply() const { return true; }
    // Widgets -> device record, every part.
    virtual void storeConfig() = 0;

    quint8 test() const { return m_test; }

private:
    void fetchIfNeeded();

    const quint8 m_test;
    const quint32 m_active;
    const QList<quint8> m_parts;
    QList<bool> m_known;
    bool m_fetch = true;
    QAbstractButton *m_apply = nullptr;
};
