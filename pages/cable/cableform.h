#pragma once

#include "blocksizes.h"
#include "processform.h"

#include <memory>

namespace Ui {
class CableForm;
}

// The cable diagnostic of one port: starts and stops it and shows, per wire
// pair, its state, the distance to a fault, the channel it is wired to, its
// polarity and its delay. The test has no settings.
class CableForm final : public ProcessForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CableForm)

public:
    explicit CableForm(Zorqv *device, QWidget *parent = nullptr);
    ~CableForm() override;

    // Rows of the result table; the columns are the pairs 1-2 to 7-8.
    enum ResultRow { Status, Length, Channel, Polarity, Latency, Rows };

    // The text of a pair state; a state the list does not know shows its number.
    static QString stateText(quint8 state);

private:
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    // Fills the table from the result it shows, in the current language.
    void paint();

    std::unique_ptr<Ui::CableForm> ui;
    CableResultBlock m_result{}; // what the table shows
    bool m_runningShown = false; // "---" instead of m_result
    bool m_painted = false;
};
