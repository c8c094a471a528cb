#include "archive/archivefields.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestArchiveFields : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void kind_data();
    void kind();
    void headerStart_data();
    void headerStart();
};

void TestArchiveFields::split_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("plain") << u"a;b;c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("empty middle") << u"a;;b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("delimiter at end") << u"a;b;"_s << QStringList{u"a"_s, u"b"_s, QString()};
    QTest::newRow("delimiter at start") << u";a"_s << QStringList{QString(), u"a"_s};
    QTest::newRow("only a delimiter") << u";"_s << QStringList{QString(), QString()};
    QTest::newRow("empty line") << QString() << QStringList{};
    QTest::newRow("nothing trimmed") << u" a ; b "_s << QStringList{u" a "_s, u" b "_s};
    QTest::newRow("control characters")
            << u"\t;\u0001;x\r"_s << QStringList{u"\t"_s, u"\u0001"_s, u"x\r"_s};
    QTest::newRow("five spaces") << u"1;     ;2"_s << QStringList{u"1"_s, u"     "_s, u"2"_s};
    QTest::newRow("quoted delimiter") << u"\"x;y\""_s << QStringList{u"x;y"_s};
    QTest::newRow("doubled quotes")
            << u"\"say \"\"hi\"\"\""_s << QStringList{u"say \"hi\""_s};
    QTest::newRow("quote inside plain field") << u"x\"y"_s << QStringList{u"x\"y"_s};
    QTest::newRow("quoted then field")
            << u"\"a;b\";c"_s << QStringList{u"a;b"_s, u"c"_s};
    QTest::newRow("text after closing quote")
            << u"\"ab\"cd;x"_s << QStringList{u"ab"_s, u"cd"_s, u"x"_s};
    QTest::newRow("quote in text after closing quote")
            << u"\"ab\"c\"d;e"_s << QStringList{u"ab"_s, u"c\"d"_s, u"e"_s};
    QTest::newRow("unclosed quote runs to end")
            << u"\"open;x"_s << QStringList{u"open;x"_s};
    QTest::newRow("unclosed after doubled quote") << u"\"a\"\""_s << QStringList{u"a\""_s};
    QTest::newRow("unclosed last field") << u"a;\"b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty quoted field") << u"\"\""_s << QStringList{QString()};
    QTest::newRow("quoted then delimiter at end")
            << u"\"a\";"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("quoted in the middle")
            << u"1;\"2;3\";4"_s << QStringList{u"1"_s, u"2;3"_s, u"4"_s};
}

void TestArchiveFields::split()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    const QChar delimiter = u';';

    QCOMPARE(splitFields(line, delimiter), fields);

    // The fields one after the other into one string after earlier text, as a load puts
    // the values of a record side by side: each value lands whole, nothing is overwritten.
    const QString earlier = u"earlier"_s;
    QString joined = earlier;
    QList<std::pair<qsizetype, qsizetype>> spans;
    forEachField(line, delimiter, [&](const FieldView &field) {
        const qsizetype from = joined.size();
        field.appendValueTo(joined);
        spans.append({from, joined.size() - from});
    });
    QStringList values;
    for (const auto &[from, size] : std::as_const(spans))
        values.append(joined.mid(from, size));
    QCOMPARE(values, fields);
    QVERIFY(joined.startsWith(earlier));
}

void TestArchiveFields::kind_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("kind"); // -1 not an archive, 0 basic, 1 individual

    QTest::newRow("basic") << u"Основной архив v003"_s << 0;
    QTest::newRow("individual") << u"Индивид. архив v003"_s << 1;
    QTest::newRow("word 1 empty") << u"Основной  v003"_s << 0;
    QTest::newRow("more words") << u"Индивид. архив v003 2019 прибор"_s << 1;
    QTest::newRow("trailing space") << u"Основной архив v003 "_s << 0;
    QTest::newRow("kind in lower case") << u"основной архив v003"_s << -1;
    QTest::newRow("individual without full stop") << u"Индивид архив v003"_s << -1;
    QTest::newRow("other kind word") << u"Сводный архив v003"_s << -1;
    QTest::newRow("other version") << u"Основной архив v004"_s << -1;
    QTest::newRow("version in upper case") << u"Основной архив V003"_s << -1;
    QTest::newRow("version as word 1") << u"Основной v003"_s << -1;
    QTest::newRow("two words") << u"Основной архив"_s << -1;
    QTest::newRow("kind only") << u"Индивид."_s << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("leading space") << u" Основной архив v003"_s << -1;
    QTest::newRow("tab is no word break") << u"Основной\tархив v003"_s << -1;
    QTest::newRow("quoted kind word") << u"\"Основной\" архив v003"_s << 0;
    QTest::newRow("text right after quoted kind") << u"\"Индивид.\"архив v003"_s << 1;
    QTest::newRow("quote left open") << u"\"Основной архив v003"_s << -1;
    QTest::newRow("long word 1") << u"Основной "_s + QString(100000, u'ж') + u" v003"_s << 0;
    QTest::newRow("long version word") << u"Основной архив v003"_s + QString(100000, u'0')
                                       << -1;
}

void TestArchiveFields::kind()
{
    QFETCH(QString, header);
    QFETCH(int, kind);

    const std::optional<TableKind> found = archiveKind(header);
    QCOMPARE(found.has_value(), kind >= 0);
    if (found) {
        QCOMPARE(*found, kind == 0 ? TableKind::Basic : TableKind::Individual);
        // What names a kind is never turned away by its first characters.
        const qsizetype startLength = qMin(header.size(), headerStartLength);
        QVERIFY(mayStartArchiveHeader(QStringView(header).first(startLength)));
    }
}

void TestArchiveFields::headerStart_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("mayBeHeader");

    QTest::newRow("basic") << u"Основной архив v003"_s << true;
    QTest::newRow("individual") << u"Индивид. архив v003"_s << true;
    QTest::newRow("kind word cut after its space") << u"Основной "_s << true;
    QTest::newRow("quoted kind word") << u"\"Основной\" архив v003"_s << true;
    QTest::newRow("text right after quoted kind") << u"\"Индивид.\"архив"_s << true;
    QTest::newRow("other version still may be") << u"Основной архив v004"_s << true;
    QTest::newRow("kind word alone") << u"Индивид."_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("leading space") << u" Основной архив v003"_s << false;
    QTest::newRow("lower case") << u"основной архив v003"_s << false;
    QTest::newRow("longer first word") << u"Основнойархив v003"_s << false;
    QTest::newRow("quote left open") << u"\"Основной архив v003"_s << false;
    QTest::newRow("doubled quote in word") << u"\"Основ\"\"ной\" архив v003"_s << false;
    QTest::newRow("huge line") << QString(1 << 20, u'x') << false;
    QTest::newRow("mark before the word") << u"\uFEFFОсновной архив v003"_s << false;
}

// Only the start of the line is looked at, and a line it turns away is no header.
void TestArchiveFields::headerStart()
{
    QFETCH(QString, line);
    QFETCH(bool, mayBeHeader);

    QCOMPARE(mayStartArchiveHeader(line), mayBeHeader);
    const qsizetype startLength = qMin(line.size(), headerStartLength);
    QCOMPARE(mayStartArchiveHeader(QStringView(line).first(startLength)), mayBeHeader);
    if (!mayBeHeader)
        QVERIFY(!archiveKind(line));
}

QTEST_APPLESS_MAIN(TestArchiveFields)
#include "tst_archivefields.moc"
