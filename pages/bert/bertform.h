#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <memory>

namespace Ui {
class BertForm;
}
class ChartPane;

// The bit error rate test of one port: frames filled with a test pattern at
// a set rate for a set duration; shows received and errored bits, the BER
// and the seconds with loss of synchronisation and of signal.
class BertForm final : public BlockForm<BlockSize::BertConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BertForm)

public:
    explicit BertForm(Zorqv *device, QWidget *parent = nullptr);
    ~BertForm() override;

private Q_SLOTS:
    void cUnitsCurrentIndexChanged(int index);

private:
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    void sample(quint8 proc, int test) override;
    double sampleTime(quint8 proc) const override;
    void nameCharts();

    std::unique_ptr<Ui::BertForm> ui;
    ChartPane *m_errors = nullptr;
    ChartPane *m_ber = nullptr;
};
