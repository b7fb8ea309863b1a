// The icons and translations compiled into QVRemote: every picture the
// windows and pages ask for is there and shows something, and the Russian
// translation is complete and keeps the placeholders of its source texts.

#include "testpaths.h"
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

class TestResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void icon_data();
    void icon();
    void translationsLoad_data();
    void translationsLoad();
    void russianComplete();
};

void TestResources::icon_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("minSize");
    // Language buttons, test buttons, menu, about box.
    for (const char *p : {":/uk-icon.png", ":/rus-icon.png"})
        QTest::newRow(p) << QString::fromLatin1(p) << 24;
    for (const char *p : {":/rfc2544.png", ":/mtraffic.png", ":/cable.png", ":/lb.png", ":/tcp.png",
                          ":/traffic.png", ":/jitter.png", ":/bert.png", ":/oam.png", ":/trans.png",
                          ":/iface.png", ":/statistics.png", ":/ram.png", ":/app-icon.png"})
        QTest::newRow(p) << QString::fromLatin1(p) << 48;
    // Written without the slash, as the menu asks for them.
    for (const char *p : {":about-icon.png", ":qt-icon.png", ":fonts-icon.png"})
        QTest::newRow(p) << QString::fromLatin1(p) << 32;
    QTest::newRow(":/header.png") << QStringLiteral(":/header.png") << 100;
    // Pages: start, stop, level arrow, file transfer, trace states.
    for (const char *p : {":/start-icon.png", ":/stop-icon.png", ":/arrow-icon.png", ":/down-icon.png",
                          ":/up-icon.png", ":/del-icon.png", ":/pdf-icon.png", ":/refresh-icon.png",
                          ":proc-icon.png", ":info-icon.png", ":ok-icon.png"})
        QTest::newRow(p) << QString::fromLatin1(p) << 32;
    QTest::newRow(":/img-icon.png") << QStringLiteral(":/img-icon.png") << 96;
    // The report writer scales these to 200 x 200.
    for (const char *p : {":check.png", ":uncheck.png"})
        QTest::newRow(p) << QString::fromLatin1(p) << 200;
}

void TestResources::icon()
{
    QFETCH(QString, path);
    QFETCH(int, minSize);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QVERIFY(image.width() >= minSize);
    QVERIFY(image.height() >= minSize * 3 / 5);
    // Something is drawn: a good part is opaque, and it is not one flat block.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> pixels;
    int opaque = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb px = argb.pixel(x, y);
            opaque += qAlpha(px) == 255;
            pixels.insert(px);
        }
    }
    QVERIFY(opaque > argb.width() * argb.height() / 10);
    QVERIFY(pixels.size() >= 2);
}

void TestResources::translationsLoad_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("ru") << QStringLiteral("QVRemote_ru");
    QTest::newRow("en") << QStringLiteral("QVRemote_en");
}

void TestResources::translationsLoad()
{
    QFETCH(QString, name);
    QTranslator t;
    QVERIFY(t.load(name, QStringLiteral(":/")));
    if (name.endsWith(QLatin1String("_ru"))) {
        QVERIFY(!t.isEmpty());
        QCOMPARE(t.translate("MainMenu", "Settings").isEmpty(), false);
    }
}

void TestResources::russianComplete()
{
    QFile ts(QStringLiteral(QV_TS_DIR "/QVRemote_ru.ts"));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d"));
    const auto placeholders = [](const QString &s) {
        QStringList found;
        for (auto it = placeholder.globalMatch(s); it.hasNext();)
            found << it.next().captured().remove(u'L');
        found.sort();
        return found;
    };

    QString context, source;
    int messages = 0;
    QStringList problems;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete")) {
                xml.skipCurrentElement();
                continue;
            }
            ++messages;
            QStringList forms;
            const QString direct = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            forms << direct;
            const QString where = context + QLatin1String(": ") + source;
            if (type == QLatin1String("unfinished"))
                problems << QLatin1String("unfinished ") + where;
            else if (direct.trimmed().isEmpty())
                problems << QLatin1String("empty ") + where;
            else if (placeholders(direct) != placeholders(source) && !source.contains(QLatin1String("%n")))
                problems << QLatin1String("placeholders differ ") + where;
            else if (direct.count(u'\n') != source.count(u'\n'))
                problems << QLatin1String("line count differs ") + where;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 50);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
