#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <memory>

namespace Ui {
class JitterForm;
}
class HeaderSettings;
class ChartPane;

// The jitter test of one port: a frame stream whose received frames the
// tester counts, checks for order and sorts into nine delay-variation
// buckets scaled by a threshold in milliseconds.
class JitterForm final : public BlockForm<BlockSize::JitterConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JitterForm)

public:
    explicit JitterForm(Zorqv *device, QWidget *parent = nullptr);
    ~JitterForm() override;

    // Cells of the result table: rows All, In order, Not in order; column 0
    // holds their names.
    enum ResultRow { All, InOrder, NotInOrder };
    enum ResultColumn { Name, Count, Percent };
    // Columns of the distribution table.
    enum DistColumn { Bucket, Share };

private Q_SLOTS:
    void cUnitsCurrentIndexChanged(int index);
    void sThreValueChenged(int threshold);

private:
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;
    void sample(quint8 proc, int test) override;
    void nameCharts();

    std::unique_ptr<Ui::JitterForm> ui;
    HeaderSettings *m_header = nullptr;
    ChartPane *m_buckets = nullptr;
};
