#pragma once

#include <QWidget>

class Zorqv;

// The contract between a test page and the engine: every page emits the
// same two request signals and has the same five slots, so the main window
// wires all thirteen pages through one list. Pages read and edit the device
// record's blocks by copying; they never build packets. Per-process pages
// get the shared behaviour from ProcessForm (BlockForm for one block).
class TestForm : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestForm)

public:
    TestForm(Zorqv *device, QWidget *parent = nullptr)
        : QWidget(parent)
        , m_device(device)
    {
    }

    // Sets every text of the page again after the language has changed.
    virtual void retranslate() = 0;

    // Tracks whether the main window shows the page (it hides every page
    // before opening one and when the link goes).
    void setVisible(bool visible) override
    {
        m_shownByWindow = visible;
        QWidget::setVisible(visible);
    }

Q_SIGNALS:
    void gs_cfg(unsigned short code);
    void start_test(unsigned short code);

public Q_SLOTS:
    virtual void activate() = 0;
    virtual void status_upd() = 0;
    virtual void res_rcv(unsigned short code) = 0;
    virtual void cfg_rcv(unsigned short code) = 0;
    virtual void switch_proc(unsigned char port) = 0;

protected:
    bool shownByWindow() const { return m_shownByWindow; }
    // Still on screen after a reconnect, which cleared the active-test word:
    // takes the poll back for active. True when it did (the page then
    // fetches what the new link has).
    bool reclaimPoll(quint32 active);

    Zorqv *const m_device;

private:
    bool m_shownByWindow = false;
};
