// Which group a user refused a serial device must join: the device's group
// when its members may read and write it, else dialout; nothing when the
// user may use the device or it is not there.

#include "../support/otheruser.h"
#include "serialaccess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <unistd.h>

class TestSerialAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupToJoin_data();
    void groupToJoin();
};

void TestSerialAccess::groupToJoin_data()
{
    QTest::addColumn<int>("mode");      // -1: no such device
    QTest::addColumn<QString>("group"); // empty: the creator's
    QTest::addColumn<QString>("join");
    QTest::newRow("may read and write") << 0666 << "" << "";
    QTest::newRow("refused, its group may use it") << 0660 << "uucp" << "uucp";
    QTest::newRow("refused, its group may only write") << 0620 << "uucp" << "dialout";
    QTest::newRow("refused, its group may only read") << 0640 << "uucp" << "dialout";
    QTest::newRow("refused, root's group") << 0660 << "root" << "dialout";
    QTest::newRow("refused, no one may") << 0000 << "" << "dialout";
    QTest::newRow("no such device") << -1 << "" << "";
}

void TestSerialAccess::groupToJoin()
{
    QFETCH(int, mode);
    QFETCH(QString, group);
    QFETCH(QString, join);
    if (!group.isEmpty() && ::geteuid() != 0)
        QSKIP("giving the device to another group needs root");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The folder must not refuse the other user before the device does.
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString device = dir.filePath(QStringLiteral("ttyQV0"));
    if (mode >= 0) {
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QByteArray path = QFile::encodeName(device);
        if (!group.isEmpty()) {
            const struct group *g = ::getgrnam(qPrintable(group));
            QVERIFY2(g, qPrintable(group));
            QVERIFY(::chown(path.constData(), 0, g->gr_gid) == 0);
        }
        QVERIFY(::chmod(path.constData(), mode_t(mode)) == 0);
    }
    QString result = QStringLiteral("(not run)");
    asOtherUser([&] { result = SerialAccess::groupToJoin(device); });
    QCOMPARE(result, join);
}

QTEST_GUILESS_MAIN(TestSerialAccess)
#include "tst_serialaccess.moc"
