#pragma once

#include <QList>
#include <QStringList>

class QTableView;

// A result table's context menu: "Copy" puts the table on the clipboard as
// tab-separated text (a paste into a spreadsheet keeps rows and columns),
// "Save as CSV…" writes it to a file the user picks. Both take the visible
// rows and columns with the header row; a table with row labels gets them
// as its first column. The texts follow the language switch.
void installTableMenu(QTableView *table);

// What both actions write: the header row first.
QList<QStringList> tableRows(const QTableView *table);
