#pragma once

#include "processform.h"

#include <memory>

namespace Ui {
class OamForm;
}

// Link OAM on one port: the port's OAM mode (kept in byte 52 of its
// interface block), what the port learned about its OAM peer, and the
// peer's remote loopback, started and stopped from here.
class OamForm final : public ProcessForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OamForm)

public:
    explicit OamForm(Zorqv *device, QWidget *parent = nullptr);
    ~OamForm() override;

    // The edit buffer of a process: the OAM mode byte.
    quint8 mode(quint8 proc) const { return m_mode[proc & 1]; }

protected Q_SLOTS:
    // Restores the mode last stored for the process; nothing is sent.
    void bResetClicked() override;

private:
    void takeConfig(quint8 proc) override;
    void giveConfig(quint8 proc) override;
    void showConfig(quint8 proc) override;
    void storeConfig(quint8 proc) override;
    void showResult(quint8 proc) override;
    void updateControls(quint32 s, quint32 o) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;

    std::unique_ptr<Ui::OamForm> ui;
    quint8 m_mode[2] = {};
};
