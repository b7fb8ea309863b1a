#include "filenamedialog.h"
#include "ui_filenamedialog.h"

#include "inputcheck.h"
#include "packet.h"

namespace {

// The request carries the name up to the packet's CRC byte with a zero
// byte after it; the tester lists it again with a '$' in front.
constexpr int kMaxName = Packet::CrcOffset - Packet::PayloadOffset - 2;

// Names travel as single bytes: printable ASCII, without the signs that
// separate folders or are wildcards in file systems.
bool storable(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7F && !QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

FileNameDialog::FileNameDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FileNameDialog>())
{
    ui->setupUi(this);
}

FileNameDialog::~FileNameDialog() = default;

void FileNameDialog::setLabelText(const QString &text)
{
    ui->label->setText(text);
}

QString FileNameDialog::name() const
{
    return ui->lName->text().trimmed();
}

QString FileNameDialog::problem(const QString &name)
{
    if (name.isEmpty())
        return tr("Type the name to save the settings under.");
    if (name.size() > kMaxName)
        return tr("The name has %1 characters; the tester stores at most %2.").arg(name.size()).arg(kMaxName);
    for (const QChar c : name) {
        if (!storable(c))
            return tr("The tester cannot store \"%1\" in a file name: use Latin letters, digits, blanks "
                      "and signs other than / \\ : * ? \" < > |.").arg(c);
    }
    return {};
}

void FileNameDialog::accept()
{
    const QString why = problem(name());
    if (!why.isEmpty()) {
        ui->lName->setFocus();
        InputCheck::warn(this, why);
        return;
    }
    QDialog::accept();
}
