// CSV as spreadsheets read it back: quoting, line ends, UTF-8, and numbers
// with "." under a locale whose decimal point is ",".

#include "csv.h"

#include <QLocale>
#include <QTest>

class TestCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian)); }

    void document_data()
    {
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QStringList{"port", "rxRate_bps"} << QList<QStringList>{{"A", "1000"}}
                               << QByteArray("port,rxRate_bps\r\nA,1000\r\n");
        QTest::newRow("comma, quote, line break")
            << QStringList{"name"} << QList<QStringList>{{"a,b"}, {"say \"hi\""}, {"two\nlines"}, {"cr\r"}}
            << QByteArray("name\r\n\"a,b\"\r\n\"say \"\"hi\"\"\"\r\n\"two\nlines\"\r\n\"cr\r\"\r\n");
        QTest::newRow("empty cells and UTF-8") << QStringList{"", "статус"} << QList<QStringList>{{"", "Успешно"}}
                                               << QByteArray(",статус\r\n,Успешно\r\n");
    }

    void document()
    {
        QFETCH(QStringList, header);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QByteArray, expected);
        QCOMPARE(Csv::document(header, rows), expected);
    }

    void number_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1000000000.0 << "1000000000";
        QTest::newRow("fraction, not the locale's comma") << 0.125 << "0.125";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("tiny") << 1.5e-12 << "1.5e-12";
        QTest::newRow("beyond whole doubles") << 1e300 << "1e+300";
        QTest::newRow("zero") << 0.0 << "0";
    }

    void number()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Csv::number(value), text);
        QCOMPARE(text.toDouble(), value);
    }

    void tabSeparated()
    {
        QCOMPARE(Csv::tabSeparated({{"a\tb", "c\nd"}, {"1", ""}}), QStringLiteral("a b\tc d\n1\t\n"));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
