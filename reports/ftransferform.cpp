#include "ftransferform.h"
#include "ui_ftransferform.h"

#include "blocksizes.h"
#include "filenamedialog.h"
#include "inputcheck.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>

namespace {

// start_test arguments of the file-transfer page.
enum Action : quint8 { Screen = 0, Download = 1, Save = 2, Load = 3, Delete = 4 };

quint16 code(quint8 action)
{
    return requestCode(TestNo::FileTransfer, action);
}

} // namespace

FTransferForm::FTransferForm(Zorqv *device, QWidget *parent)
    : TestForm(device, parent)
    , ui(std::make_unique<Ui::FTransferForm>())
{
    ui->setupUi(this);
    connect(ui->bSave, &QPushButton::clicked, this, &FTransferForm::bSaveClicked);
    connect(ui->bLoad, &QPushButton::clicked, this, &FTransferForm::bLoadClicked);
    connect(ui->bDelete, &QPushButton::clicked, this, &FTransferForm::bDeleteClicked);
    connect(ui->bDown, &QPushButton::clicked, this, &FTransferForm::bDownClicked);
    connect(ui->bRefresh, &QPushButton::clicked, this, &FTransferForm::bRefreshClicked);
    // Nothing in the picture is filled from the tester's screen yet.
    ui->bScreen->hide();
}

FTransferForm::~FTransferForm()
{
    // The directory chooser has no parent; it must not outlive the page.
    delete m_dialog;
}

void FTransferForm::retranslate()
{
    ui->retranslateUi(this);
}

void FTransferForm::activate()
{
    m_device->activeTest = ActiveTest::FileTransfer;
    if (m_fetchList) {
        m_fetchList = false;
        Q_EMIT gs_cfg(code(0));
    }
    QWidget::show();
}

void FTransferForm::status_upd()
{
    if (!m_device->connected) {
        m_device->screenCount = 0;
        m_fetchList = true;
    }
    const int count = m_device->screenCount;
    ui->bScreen->setEnabled((count == 0 || count == int(BlockSize::Screen)) && !m_device->isQvb);
}

void FTransferForm::res_rcv(unsigned short)
{
}

void FTransferForm::cfg_rcv(unsigned short code)
{
    if ((code & 0xFF) != TestNo::FileTransfer)
        return;
    ui->lFiles->clear();
    ui->lFiles->addItems(m_device->fileList);
}

void FTransferForm::switch_proc(unsigned char)
{
}

void FTransferForm::bRefreshClicked()
{
    Q_EMIT gs_cfg(code(0));
}

void FTransferForm::bSaveClicked()
{
    auto *dialog = new FileNameDialog(this);
    dialog->setWindowTitle(ui->bSave->text());
    dialog->setLabelText(tr("File name"));
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString name = dialog->name();
        if (name.isEmpty())
            return;
        m_device->fileName = name;
        Q_EMIT start_test(code(Save));
    });
    present(dialog);
}

bool FTransferForm::takeSelectedName()
{
    const QListWidgetItem *item = ui->lFiles->currentItem();
    if (!item)
        return false;
    m_device->fileName = item->text();
    return true;
}

void FTransferForm::bLoadClicked()
{
    if (takeSelectedName())
        Q_EMIT start_test(code(Load));
}

void FTransferForm::bDeleteClicked()
{
    if (takeSelectedName())
        Q_EMIT start_test(code(Delete));
}

// A report's bit in the mask is its test's bit in the state word.
quint32 FTransferForm::reportMask() const
{
    const struct
    {
        const QCheckBox *box;
        int bit;
    } reports[] = {
        {ui->cRFC, StateBit::Rfc},       {ui->cPing, StateBit::Ping},   {ui->cTraffic, StateBit::Traffic},
        {ui->cTrace, StateBit::Trace},   {ui->cJitter, StateBit::Jitter}, {ui->cBERT, StateBit::Bert},
        {ui->cMulti, StateBit::Multi},
    };
    quint32 mask = 0;
    for (const auto &r : reports) {
        if (r.box->isChecked())
            mask |= StateBit::tx(r.bit);
    }
    return mask;
}

void FTransferForm::bDownClicked()
{
    if (!ui->lFiles->currentItem())
        return;
    m_device->reportMask = int(reportMask());
    takeSelectedName();
    auto *dialog = new QFileDialog(nullptr, QString(), QString(), QString());
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    connect(dialog, &QFileDialog::filesSelected, this, [this](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        // Said now, not after the download: nothing is fetched for a folder
        // that cannot take the reports.
        const QString problem = folderProblem(paths.first());
        if (!problem.isEmpty()) {
            InputCheck::warn(this, problem);
            return;
        }
        m_device->reportDir = paths.first();
        Q_EMIT start_test(code(Download));
    });
    present(dialog);
}

QString FTransferForm::folderProblem(const QString &path)
{
    const QFileInfo folder(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!folder.exists())
        return tr("The folder %1 does not exist.").arg(shown);
    if (!folder.isDir())
        return tr("%1 is not a folder.").arg(shown);
    if (!folder.isWritable())
        return tr("The reports cannot be written into the folder %1.").arg(shown);
    return {};
}

void FTransferForm::bScreenClicked()
{
    auto *dialog = new QFileDialog(this);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("*.png"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setDefaultSuffix(QStringLiteral(".png"));
    dialog->selectFile(QStringLiteral("ZORT_QV ")
                       + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"))
                       + QStringLiteral(".png"));
    connect(dialog, &QFileDialog::filesSelected, this, [this](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        m_device->screenPath = paths.first();
        ui->bScreen->setEnabled(false);
        Q_EMIT start_test(code(Screen));
    });
    present(dialog);
}

void FTransferForm::present(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    dialog->open();
}
