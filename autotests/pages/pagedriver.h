#pragma once

// What the page tests share: widgets found by object name, a widget's value
// as a variant, blocks as bytes and a block whose bytes all differ.

#include "block.h"
#include "zorqv.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QVariantMap>

#include <memory>

namespace PageDriver {

// A connected device record and the page under test on it, made afresh for
// each test function; taken down page first, as the page points at it.
template <typename Page>
void openPage(std::unique_ptr<Zorqv> &device, std::unique_ptr<Page> &page, bool activate = true)
{
    device = std::make_unique<Zorqv>();
    device->connected = true;
    page = std::make_unique<Page>(device.get());
    if (activate)
        page->activate();
}
template <typename Page>
void closePage(std::unique_ptr<Zorqv> &device, std::unique_ptr<Page> &page)
{
    page.reset();
    device.reset();
}

template <typename W = QWidget>
W *child(const QObject *page, const char *name)
{
    W *widget = page->findChild<W *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

inline QVariant value(QWidget *widget)
{
    if (auto *c = qobject_cast<QComboBox *>(widget))
        return c->currentIndex();
    if (auto *t = qobject_cast<QTimeEdit *>(widget))
        return t->time().toString(QStringLiteral("HH:mm:ss"));
    if (auto *s = qobject_cast<QSpinBox *>(widget))
        return s->value();
    if (auto *l = qobject_cast<QLineEdit *>(widget))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(widget))
        return b->isChecked();
    if (auto *g = qobject_cast<QGroupBox *>(widget))
        return g->isChecked();
    return {};
}

// Marks the test failed at the first widget whose value differs.
inline void compareWidgets(const QObject *page, const QVariantMap &expected)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant actual = value(child(page, qPrintable(it.key())));
        QVERIFY2(actual == it.value(), qPrintable(QStringLiteral("%1: %2, expected %3")
                                                      .arg(it.key(), actual.toString(),
                                                           it.value().toString())));
    }
}

template <std::size_t N>
QByteArray bytes(const Block<N> &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(N));
}

template <std::size_t N>
Block<N> fromBytes(const QByteArray &a)
{
    Block<N> b{};
    Q_ASSERT(a.size() == int(N));
    std::copy(a.begin(), a.end(), b.begin());
    return b;
}

// Every byte differs from its neighbours and from the bytes of the same
// offset in the other blocks of seed; fields are then set over it.
template <std::size_t N>
Block<N> distinct(quint8 seed)
{
    Block<N> b{};
    for (std::size_t i = 0; i < N; ++i)
        b[i] = quint8(seed + 37 * i + (i >> 8));
    return b;
}

} // namespace PageDriver
