#pragma once

#include <QByteArrayList>
#include <QTranslator>

// A translation that brackets every text of the given contexts ("Stop"
// becomes "[Stop]"), to see which texts a page sets again when the
// language changes.
class MarkTranslator final : public QTranslator
{
public:
    explicit MarkTranslator(QByteArrayList contexts)
        : m_contexts(std::move(contexts))
    {
    }

    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (m_contexts.contains(QByteArray(context)))
            return QStringLiteral("[%1]").arg(QString::fromUtf8(source));
        return {};
    }
    bool isEmpty() const override { return false; }

private:
    QByteArrayList m_contexts;
};
