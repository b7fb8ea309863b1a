#pragma once

#include <QString>

class QTableWidget;
class QTableWidgetItem;

// Result tables are filled only through these: a cell's item is created on
// first use (read-only) and reused afterwards. A cell outside the table has
// no item; setCellText then does nothing.
QTableWidgetItem *tableCell(QTableWidget *table, int row, int column);
void setCellText(QTableWidget *table, int row, int column, const QString &text);

// For short result tables: rows follow the font, and the table keeps the
// size that shows every row and column without scrolling, also after the
// user changes the font.
void fitTableToRows(QTableWidget *table);
