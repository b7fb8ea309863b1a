#include "debugform.h"

#include <QPlainTextEdit>
#include <QTest>

class TestDebugForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accumulates_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QString>("text");
        QTest::newRow("two pieces, no separator") << QList<QByteArray>{"ab", "c"} << QStringLiteral("abc");
        QTest::newRow("leading zero adds nothing") << QList<QByteArray>{QByteArray("\0xy", 3), "z"}
                                                   << QStringLiteral("z");
        QTest::newRow("cut at the first zero") << QList<QByteArray>{QByteArray("ok\0junk", 7), "\r\n"}
                                               << QStringLiteral("ok\n");
    }
    void accumulates()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, text);
        DebugForm form;
        for (const QByteArray &p : pieces)
            form.show_debug(p);
        auto *edit = form.findChild<QPlainTextEdit *>(QStringLiteral("textDebug"));
        QVERIFY(edit);
        QCOMPARE(edit->toPlainText(), text);
    }
};

QTEST_MAIN(TestDebugForm)
#include "tst_debugform.moc"
