#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <memory>

namespace Ui {
class TrafficForm;
}
class HeaderSettings;
class ChartPane;

// The traffic test of one port: one stream of frames of one length at one
// rate for a set duration. Edits the traffic configuration, starts and stops
// the test, and shows the counters the tester returns while it runs.
class TrafficForm final : public BlockForm<BlockSize::TrafficConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrafficForm)

public:
    explicit TrafficForm(Zorqv *device, QWidget *parent = nullptr);
    ~TrafficForm() override;

    // Rows of the result table.
    enum ResultRow { Load, TxFrames, RxFrames, TxBytes, LossFrames, Runt, Jabber, Crc, ErrFrames,
                     PauseFrames };
    enum ResultColumn { Count, Coef };
    // Columns of the charts' samples.
    enum SampleColumn { TxRate, RxRate, Lost, SampleColumns };

private Q_SLOTS:
    void cUnitsCurrentIndexChanged(int index);

private:
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    void sample(quint8 proc, int test) override;
    void nameCharts();

    std::unique_ptr<Ui::TrafficForm> ui;
    HeaderSettings *m_header = nullptr;
    ChartPane *m_rates = nullptr;
    ChartPane *m_lost = nullptr;
};
