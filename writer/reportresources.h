#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// Everything a report run shows that depends on the language or on the
// program's resources: the texts, translated, and the check images. Built on
// the GUI thread before a run starts, so the worker thread never touches a
// translator or a resource, and a language switch during a run changes
// nothing in it.
class ReportResources
{
public:
    // The texts in the language installed now; call on the GUI thread.
    static ReportResources current();

    // The translation of one of the report's texts, by its source text.
    QString operator()(const char *source) const;

    QStringList status;     // sub-test states by code
    QStringList units;      // rate units by code modulo 4
    QStringList pingStatus; // ping request states 1..4
    QStringList patterns;   // BERT pattern names
    QStringList dscp;       // DSCP names by combo index
    QImage check;           // 200 x 200
    QImage uncheck;

private:
    QHash<QByteArray, QString> m_texts;
};
