#include "tablecell.h"

#include <QEvent>
#include <QHeaderView>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>

QTableWidgetItem *tableCell(QTableWidget *table, int row, int column)
{
    if (!table || row < 0 || column < 0 || row >= table->rowCount()
        || column >= table->columnCount())
        return nullptr;
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, column, item);
    }
    return item;
}

void setCellText(QTableWidget *table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = tableCell(table, row, column))
        item->setText(text);
}

namespace {

// Refits its table whenever a font or style change may have resized rows.
class TableFitter final : public QObject
{
public:
    explicit TableFitter(QTableWidget *table)
        : QObject(table)
        , m_table(table)
    {
        table->installEventFilter(this);
        connect(table->horizontalHeader(), &QHeaderView::sectionResized, this,
                &TableFitter::schedule);
        fit();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_table) {
            switch (event->type()) {
            case QEvent::FontChange:
            case QEvent::StyleChange:
            case QEvent::Show:
                schedule();
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void schedule()
    {
        if (!m_pending) {
            m_pending = true;
            QTimer::singleShot(0, this, &TableFitter::fit);
        }
    }

    void fit()
    {
        m_pending = false;
        QHeaderView *rows = m_table->verticalHeader();
        QHeaderView *columns = m_table->horizontalHeader();
        // Rows a little taller than the text, whatever the font.
        const int rowHeight = m_table->fontMetrics().height() + 8;
        rows->setMinimumSectionSize(rowHeight);
        rows->setDefaultSectionSize(rowHeight);
        const int frame = 2 * m_table->frameWidth();
        // A hidden header takes no room; counting it would widen the table,
        // stretch its last column and so widen it again at the next fit.
        int width = (rows->isHidden() ? 0 : rows->sizeHint().width()) + frame;
        for (int c = 0; c < m_table->columnCount(); ++c) {
            // A stretched last column is as wide as the table is made: counting
            // that would keep the table, and the window, from ever shrinking.
            const bool stretched = columns->stretchLastSection() && c == m_table->columnCount() - 1;
            width += qMax(stretched ? columns->defaultSectionSize() : m_table->columnWidth(c),
                          columns->sectionSizeHint(c));
        }
        m_table->setMinimumWidth(width);
        const int headerHeight = columns->isHidden() ? 0 : columns->sizeHint().height();
        m_table->setFixedHeight(headerHeight + rows->length() + frame);
    }

    QPointer<QTableWidget> m_table;
    bool m_pending = false;
};

} // namespace

void fitTableToRows(QTableWidget *table)
{
    if (!table)
        return;
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    new TableFitter(table);
}
