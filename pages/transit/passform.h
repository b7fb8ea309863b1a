#pragma once

#include "processform.h"

#include <memory>

namespace Ui {
class PassForm;
}

// Transit: the tester passes traffic through between its two ports. The
// page only switches the mode on and off; it has no settings, no results
// and one title for both ports.
class PassForm final : public ProcessForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PassForm)

public:
    explicit PassForm(Zorqv *device, QWidget *parent = nullptr);
    ~PassForm() override;

private:
    QString title(quint8 port) const override;
    void retranslateForm() override;

    std::unique_ptr<Ui::PassForm> ui;
};
