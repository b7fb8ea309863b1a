#include "debugform.h"
#include "ui_debugform.h"

#include <QTextCursor>

DebugForm::DebugForm(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DebugForm)
{
    ui->setupUi(this);
}

DebugForm::~DebugForm()
{
    delete ui;
}

void DebugForm::retranslate()
{
    ui->retranslateUi(this);
}

void DebugForm::show_debug(const QByteArray &text)
{
    const qsizetype end = text.indexOf('\0');
    const QString piece = QString::fromLatin1(end < 0 ? text : text.left(end));
    if (piece.isEmpty())
        return;
    // Appending at the end keeps the text exactly as received (no separator)
    // without re-setting the whole document for every piece.
    QTextCursor cursor(ui->textDebug->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(piece);
}
