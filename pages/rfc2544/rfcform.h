#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <QStringList>

#include <array>
#include <memory>

namespace Ui {
class RfcForm;
}
class HeaderSettings;
class QCheckBox;
class QLabel;
class QSpinBox;

// The RFC-2544 benchmark of one port: throughput, latency, frame loss and
// back to back over up to eight frame sizes. Edits the benchmark's
// configuration, starts and stops it, and shows the four result tables and
// their charts as the result cycle brings the summary and the frame-loss
// step chosen with the rate selector.
class RfcForm final : public BlockForm<BlockSize::RfcConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RfcForm)

public:
    explicit RfcForm(Zorqv *device, QWidget *parent = nullptr);
    ~RfcForm() override;

    static constexpr int Slots = 8;
    // Columns of the result tables; all four start with these two.
    enum Column { Status, FrameLength, Value1, Value2 };

    // The frame-loss step the rate selector asks for: rate 100 is step 0
    // (the starting load), rate 1 step 99; always inside the step arrays.
    static quint32 stepOfRate(int rate);

public Q_SLOTS:
    void switch_proc(unsigned char port) override;

private Q_SLOTS:
    void bDefaultClicked();
    void sFrlsnumValue(int value);

private:
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void showResult(quint8 proc) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;

    void showFrameLoss(quint8 proc);
    void showCharts(quint8 proc);
    // The selector as the device record's step of the current process.
    void showStep();

    std::unique_ptr<Ui::RfcForm> ui;
    HeaderSettings *m_header = nullptr;
    std::array<QCheckBox *, Slots> m_slotOn{};
    std::array<QSpinBox *, Slots> m_slotSize{};
    std::array<QSpinBox *, Slots> m_userLoad{};
    std::array<QLabel *, Slots> m_userLabel{};
    QStringList m_status;
};
