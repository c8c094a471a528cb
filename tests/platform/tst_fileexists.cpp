#include "platform/fileexists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFileExists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void isExistingFile_data();
    void isExistingFile();

private:
    QTemporaryDir m_dir;
};

void TestFileExists::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile file(m_dir.filePath(u"archive_basic.csv"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(QDir(m_dir.path()).mkdir(u"ARCHIVE"_s));
    QVERIFY(QFile::link(m_dir.filePath(u"archive_basic.csv"_s), m_dir.filePath(u"to-file"_s)));
    QVERIFY(QFile::link(m_dir.filePath(u"ARCHIVE"_s), m_dir.filePath(u"to-folder"_s)));
    QVERIFY(QFile::link(m_dir.filePath(u"gone"_s), m_dir.filePath(u"dangling"_s)));
}

void TestFileExists::isExistingFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << u"archive_basic.csv"_s << true;
    QTest::newRow("folder") << u"ARCHIVE"_s << false;
    QTest::newRow("missing") << u"archive_individual.csv"_s << false;
    QTest::newRow("link to file") << u"to-file"_s << true;
    QTest::newRow("link to folder") << u"to-folder"_s << false;
    QTest::newRow("dangling link") << u"dangling"_s << false;
    QTest::newRow("empty name") << QString() << false;
}

void TestFileExists::isExistingFile()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    const QString path = name.isEmpty() ? QString() : m_dir.filePath(name);
    QCOMPARE(::isExistingFile(path), exists);
}

QTEST_GUILESS_MAIN(TestFileExists)
#include "tst_fileexists.moc"
