#include "tablemenu.h"

#include "csv.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QSaveFile>
#include <QTableView>

namespace {

// Owns the two actions of one table, as the table's child.
class TableMenu final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableMenu)

public:
    explicit TableMenu(QTableView *table)
        : QObject(table)
        , m_table(table)
    {
        m_copy->setObjectName(QStringLiteral("actionCopyTable"));
        m_save->setObjectName(QStringLiteral("actionSaveTableCsv"));
        connect(m_copy, &QAction::triggered, this, &TableMenu::copy);
        connect(m_save, &QAction::triggered, this, &TableMenu::save);
        table->addActions({m_copy, m_save});
        table->setContextMenuPolicy(Qt::ActionsContextMenu);
        table->installEventFilter(this);
        retranslate();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            retranslate();
        return QObject::eventFilter(watched, event);
    }

private:
    void retranslate()
    {
        m_copy->setText(tr("Copy"));
        m_save->setText(tr("Save as CSV…"));
    }

    void copy() { QGuiApplication::clipboard()->setText(Csv::tabSeparated(tableRows(m_table))); }

    void save()
    {
        static QString folder = QDir::homePath();
        QString path = QFileDialog::getSaveFileName(m_table, tr("Save as CSV"), folder, tr("CSV files (*.csv)"));
        if (path.isEmpty())
            return;
        if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            path += QStringLiteral(".csv");
        folder = QFileInfo(path).absolutePath();
        QList<QStringList> rows = tableRows(m_table);
        const QStringList header = rows.isEmpty() ? QStringList() : rows.takeFirst();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(Csv::document(header, rows)) < 0 || !file.commit())
            QMessageBox::warning(m_table, tr("Save as CSV"),
                                 tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }

    QTableView *m_table;
    QAction *m_copy = new QAction(this);
    QAction *m_save = new QAction(this);
};

} // namespace

void installTableMenu(QTableView *table)
{
    new TableMenu(table);
}

QList<QStringList> tableRows(const QTableView *table)
{
    const QAbstractItemModel *model = table->model();
    const bool labels = !table->verticalHeader()->isHidden();
    const auto text = [](const QVariant &v) { return v.toString(); };
    QList<int> columns;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!table->isColumnHidden(c))
            columns << c;

    QStringList header;
    if (labels)
        header << QString();
    for (int c : std::as_const(columns))
        header << text(model->headerData(c, Qt::Horizontal));
    QList<QStringList> rows{header};
    for (int r = 0; r < model->rowCount(); ++r) {
        if (table->isRowHidden(r))
            continue;
        QStringList row;
        if (labels)
            row << text(model->headerData(r, Qt::Vertical));
        for (int c : std::as_const(columns))
            row << text(model->index(r, c).data());
        rows << row;
    }
    return rows;
}

#include "tablemenu.moc"
