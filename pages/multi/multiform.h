#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <memory>

namespace Ui {
class MultiForm;
}
class HeaderSettings;
class ChartPane;

// The multistream test of one port: up to ten streams, each with its own
// header, rate and frame length, run together for one duration. The
// settings and the counters are shown one stream at a time, each picked by
// its own selector.
class MultiForm final : public BlockForm<BlockSize::MultiConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MultiForm)

public:
    explicit MultiForm(Zorqv *device, QWidget *parent = nullptr);
    ~MultiForm() override;

    enum ResultRow { Load, TxFrames, RxFrames, TxBytes, LossFrames, Latency };
    enum ResultColumn { Count, Coef };

    // Record indexes (0-9) of the stream whose settings and whose results
    // are shown.
    int settingsStream() const { return m_settingsStream; }
    int resultStream() const { return m_resultStream; }

private Q_SLOTS:
    void cUnitsCurrentIndexChanged(int index);
    void sStreamSettingsChanged(int value);
    void sStreamResChanged(int value);

private:
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    void sample(quint8 proc, int test) override;
    void nameCharts();

    std::unique_ptr<Ui::MultiForm> ui;
    HeaderSettings *m_header = nullptr;
    ChartPane *m_rates = nullptr;
    ChartPane *m_loss = nullptr;
    int m_settingsStream = 0;
    int m_resultStream = 0;
};
