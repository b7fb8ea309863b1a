#pragma once

#include "deviceform.h"

#include <memory>

namespace Ui {
class IfsetForm;
}
class IFaceForm;

// The interface settings of test port A (interface 0) and of the
// remote-control port (interface 2), one tab each, read and written
// together. Independent of the port chosen in the main window; changes
// apply only while both processes are idle.
class IfsetForm final : public DeviceForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IfsetForm)

public:
    explicit IfsetForm(Zorqv *device, QWidget *parent = nullptr);
    ~IfsetForm() override;

    void retranslate() override;

public Q_SLOTS:
    void res_rcv(unsigned short code) override;
    void cfg_rcv(unsigned short code) override;

private:
    // The tab of the interface a code's argument names; none for
    // interface 1, which the page does not edit.
    IFaceForm *tabFor(unsigned short code) const;
    bool mayApply() const override;
    void storeConfig() override;

    std::unique_ptr<Ui::IfsetForm> ui;
    IFaceForm *m_tabs[2] = {};
};
