#pragma once

#include "testform.h"

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class FTransferForm;
}

// The files stored on the tester: the list, settings files saved, loaded
// and deleted under a name, a stored result file downloaded and turned into
// PDF reports, and the tester's screen saved as a picture. The engine does
// the transfers; the page fills the file fields of the device record and
// asks for them.
//
// Its dialogs are opened without waiting for them (open(), not exec()): the
// page goes on when the user answers, so no event loop nests inside the
// engine's work, and tests answer them as a user would.
class FTransferForm final : public TestForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FTransferForm)

public:
    explicit FTransferForm(Zorqv *device, QWidget *parent = nullptr);
    ~FTransferForm() override;

    void retranslate() override;

    // The dialog waiting for the user's answer, if one is open.
    QDialog *openDialog() const { return m_dialog; }

public Q_SLOTS:
    void activate() override;
    void status_upd() override;
    void res_rcv(unsigned short code) override;
    void cfg_rcv(unsigned short code) override;
    void switch_proc(unsigned char port) override;

private Q_SLOTS:
    void bSaveClicked();
    void bLoadClicked();
    void bDeleteClicked();
    void bScreenClicked();
    void bDownClicked();
    void bRefreshClicked();

private:
    // The name of the file selected in the list, or nothing.
    bool takeSelectedName();
    quint32 reportMask() const;
    // What keeps the reports from being written into the folder at path,
    // or an empty text.
    static QString folderProblem(const QString &path);
    void present(QDialog *dialog);

    std::unique_ptr<Ui::FTransferForm> ui;
    bool m_fetchList = true;
    QPointer<QDialog> m_dialog;
};
