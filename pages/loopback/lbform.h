#pragma once

#include "blockform.h"
#include "blocksizes.h"

#include <QList>

#include <memory>

namespace Ui {
class LbForm;
}
class HeaderSettings;
class QPushButton;

// The loopback of one port: which level (off, 1 to 4) the port loops
// frames back at, shown by an arrow at the level in force, and which header
// fields it rewrites in them (MAC, VLAN and priority at level 2; IP, ToS or
// DSCP at level 3).
class LbForm final : public BlockForm<BlockSize::LbConfig>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LbForm)

public:
    explicit LbForm(Zorqv *device, QWidget *parent = nullptr);
    ~LbForm() override;

private Q_SLOTS:
    void blvl0Clicked();
    void blvl1Clicked();
    void blvl2Clicked();
    void blvl3Clicked();
    void blvl4Clicked();

private:
    void levelClicked(quint8 level);
    void showLevel();
    void load(const ConfigBlock &block) override;
    void store(ConfigBlock &block, quint8 proc) override;
    void updateControls(quint32 s, quint32 o) override;
    QString title(quint8 port) const override;
    void retranslateForm() override;

    std::unique_ptr<Ui::LbForm> ui;
    HeaderSettings *m_header = nullptr;
    QList<QPushButton *> m_levelButtons;    // blvl0..blvl4
    QList<QPushButton *> m_levelIndicators; // llvl0..llvl4
};
