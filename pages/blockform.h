#pragma once

#include "block.h"
#include "processform.h"
#include "zorqv.h"

// A per-process page whose configuration is one block per process in the
// device record (Zorqv::trafficConfig and the like). It keeps the two edit
// buffers and moves them to and from the record; the page only loads a
// block into its widgets and stores its widgets into a block.
template <std::size_t N>
class BlockForm : public ProcessForm
{
public:
    using ConfigBlock = Block<N>;
    using Member = ConfigBlock (Zorqv::*)[2];

    // The edit buffer of a process: meaningful after its first cfg_rcv.
    const ConfigBlock &config(quint8 proc) const { return m_config[proc & 1]; }

protected:
    BlockForm(Zorqv *device, const PageIds &ids, Member member, QWidget *parent = nullptr)
        : ProcessForm(device, ids, parent)
        , m_member(member)
    {
    }

    // Block -> widgets.
    virtual void load(const ConfigBlock &block) = 0;
    // Widgets -> block of process proc (whose defaults replace invalid text).
    // Bytes the page does not edit are left as they are.
    virtual void store(ConfigBlock &block, quint8 proc) = 0;
    // Replaces the edit buffer of a process (a page's defaults button).
    void setConfig(quint8 proc, const ConfigBlock &block) { m_config[proc & 1] = block; }

    void takeConfig(quint8 proc) override { m_config[proc & 1] = (m_device->*m_member)[proc & 1]; }
    void giveConfig(quint8 proc) override { (m_device->*m_member)[proc & 1] = m_config[proc & 1]; }
    void showConfig(quint8 proc) override { load(m_config[proc & 1]); }
    void storeConfig(quint8 proc) override { store(m_config[proc & 1], quint8(proc & 1)); }

private:
    const Member m_member;
    ConfigBlock m_config[2] = {};
};
