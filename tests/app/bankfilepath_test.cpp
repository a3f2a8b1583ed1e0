#include "attempt/bankfilepath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quizmark;

// Names a catalogue may give, against a data directory with folders and links inside and out.
class BankFilePathTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_data;

    void makeFile(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        const QDir root(m_root.path());
        QVERIFY(root.mkpath(QStringLiteral("dat/sub/deeper")));
        // A sibling whose name begins with the data folder's: outside, for all its name shares.
        QVERIFY(root.mkpath(QStringLiteral("dat2")));
        m_data = root.filePath(QStringLiteral("dat")) + u'/';
        makeFile(root.filePath(QStringLiteral("secret.dat")));
        makeFile(m_data + QStringLiteral("real.dat"));
        makeFile(m_data + QStringLiteral("sub/cpp.dat"));
        makeFile(m_data + QStringLiteral("sub/deeper/x.dat"));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("secret.dat")), m_data + QStringLiteral("away.dat")));
        QVERIFY(QFile::link(m_data + QStringLiteral("real.dat"), m_data + QStringLiteral("near.dat")));
        QVERIFY(QFile::link(m_root.path(), m_data + QStringLiteral("subout")));
        QVERIFY(QFile::link(m_data + QStringLiteral("sub"), m_data + QStringLiteral("subin")));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("nothere.dat")), m_data + QStringLiteral("dangling.dat")));
        makeFile(root.filePath(QStringLiteral("dat2/evil.dat")));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("dat2/evil.dat")), m_data + QStringLiteral("evil.dat")));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("dat2")), m_data + QStringLiteral("sibling")));
    }

    void onlyNamesThatStayInsideAreUsed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::addColumn<QString>("relative");
        QTest::newRow("a plain name") << "real.dat" << true << "real.dat";
        QTest::newRow("a sub-folder") << "sub/cpp.dat" << true << "sub/cpp.dat";
        QTest::newRow("a sub-folder with backslashes") << "sub\\deeper\\x.dat" << true << "sub/deeper/x.dat";
        QTest::newRow("this folder") << "./real.dat" << true << "./real.dat";
        QTest::newRow("a link inside") << "near.dat" << true << "near.dat";
        QTest::newRow("through a folder link inside") << "subin/cpp.dat" << true << "subin/cpp.dat";
        QTest::newRow("a file not there yet") << "missing.dat" << true << "missing.dat";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("absolute") << "/etc/passwd" << false << "";
        QTest::newRow("absolute with backslashes") << "\\etc\\passwd" << false << "";
        QTest::newRow("a drive") << "C:\\bank.dat" << false << "";
        QTest::newRow("a drive-relative name") << "c:bank.dat" << false << "";
        QTest::newRow("up and out") << "../secret.dat" << false << "";
        QTest::newRow("up and back in") << "sub/../real.dat" << false << "";
        QTest::newRow("up with backslashes") << "sub\\..\\..\\secret.dat" << false << "";
        QTest::newRow("a link outside") << "away.dat" << false << "";
        QTest::newRow("through a folder link outside") << "subout/secret.dat" << false << "";
        QTest::newRow("a new file through a folder link outside") << "subout/new.dat" << false << "";
        QTest::newRow("a link that leads nowhere") << "dangling.dat" << false << "";
        QTest::newRow("a link into a sibling folder of a like name") << "evil.dat" << false << "";
        QTest::newRow("through a folder link to that sibling") << "sibling/evil.dat" << false << "";
        QTest::newRow("a new file in that sibling") << "sibling/new.dat" << false << "";
    }

    void onlyNamesThatStayInsideAreUsed()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QFETCH(QString, relative);
        const BankFilePath path(m_data, name.leftJustified(80, u' '));
        QVERIFY2(path.isSafe() == safe, qPrintable(path.problem()));
        QCOMPARE(path.problem().isEmpty(), safe);
        if (safe)
            QCOMPARE(path.path(), m_data + relative);
    }
};

QTEST_GUILESS_MAIN(BankFilePathTest)
#include "bankfilepath_test.moc"
