#include "csv/csvfield.h"
#include "platform/codepages.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr double kMm = 3.77953;
const MemoStyle kDataMemo{u"Memo7"_s, ReportFont::ArialRegular, 13, HAlign::Center, VAlign::Top, true};
const MemoStyle kHeaderMemo{u"Memo35"_s, ReportFont::ArialBold, 13, HAlign::Center, VAlign::Top, true};

} // namespace

class TestCsvField : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fieldOfEncodedText_data();
    void fieldOfEncodedText();
    void fieldOfABox_data();
    void fieldOfABox();

private:
    std::unique_ptr<AnsiCodePage> m_ansi;
};

void TestCsvField::initTestCase()
{
    m_ansi = makeCodePage(1251);
    QVERIFY(m_ansi);
}

void TestCsvField::fieldOfEncodedText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty") << QByteArray() << QByteArray(";");
    QTest::newRow("plain") << QByteArray("4120") << QByteArray("4120;");
    QTest::newRow("final CR LF removed") << QByteArray("4120\r\n") << QByteArray("4120;");
    QTest::newRow("only a line break") << QByteArray("\r\n") << QByteArray(";");
    QTest::newRow("control bytes only") << QByteArray("\t\x01\x1f") << QByteArray(";");
    QTest::newRow("inner breaks glued") << QByteArray("ab\r\ncd\r\n") << QByteArray("abcd;");
    QTest::newRow("TAB removed, no quotes") << QByteArray("a\tb") << QByteArray("ab;");
    QTest::newRow("separator quoted") << QByteArray("1;2") << QByteArray("\"1;2\";");
    QTest::newRow("quotes doubled") << QByteArray("\"M300\"") << QByteArray("\"\"\"M300\"\"\";");
    QTest::newRow("byte 32 stays") << QByteArray(" a ") << QByteArray(" a ;");
    QTest::newRow("high bytes unquoted") << QByteArray("\xb9\xff") << QByteArray("\xb9\xff;");
}

void TestCsvField::fieldOfEncodedText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(csv::fieldFromBytes(text), expected);
}

void TestCsvField::fieldOfABox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("header");
    QTest::addColumn<double>("widthPx");
    QTest::addColumn<QByteArray>("expected");

    const double material = 20 * kMm;
    const double readings = 10 * kMm;
    QTest::newRow("quoted value") << u"\"М300\""_s << false << material << QByteArray("\"\"\"\xcc" "300\"\"\";");
    QTest::newRow("value with the separator") << u"1;2"_s << false << material << QByteArray("\"1;2\";");
    QTest::newRow("TAB removed without quotes") << u"1\t2"_s << false << material << QByteArray("12;");
    QTest::newRow("line break removed without quotes")
        << u"12\r\n34"_s << false << material << QByteArray("1234;");
    QTest::newRow("fitting value keeps its space")
        << u"Бетон В25"_s << false << material << QByteArray("\xc1\xe5\xf2\xee\xed \xc2" "25;");
    QTest::newRow("wrapped value loses its space")
        << u"Тяжелый бетон"_s << false << material
        << QByteArray("\xd2\xff\xe6\xe5\xeb\xfb\xe9\xe1\xe5\xf2\xee\xed;");
    QTest::newRow("character outside the code page")
        << u"5 Ω"_s << false << material << QByteArray("5 ?;");
    // U+0098 is what byte 0x98, undefined in 1251, reads as: the byte again, and no byte
    // below 32 to remove or quote for.
    QTest::newRow("control character of an undefined byte")
        << u"a\u0098b"_s << false << material << QByteArray("a\x98" "b;");
    QTest::newRow("control character outside the code page")
        << u"a\u0081b"_s << false << material << QByteArray("a?b;");
    QTest::newRow("control character below 32 removed")
        << u"a\u0001\u001Fb"_s << false << material << QByteArray("ab;");
    QTest::newRow("empty value") << QString() << false << material << QByteArray(";");
    QTest::newRow("empty stored line becomes a space") << u"1\n\n2"_s << false << material << QByteArray("1 2;");
    QTest::newRow("readings wrap without loss, quoted")
        << u";4120;4135;4128;;;;;;;;;;;;"_s << false << readings
        << QByteArray("\";4120;4135;4128;;;;;;;;;;;;\";");
    QTest::newRow("two stored header lines glued")
        << u"Коррекция\nпо W"_s << true << material
        << QByteArray("\xca\xee\xf0\xf0\xe5\xea\xf6\xe8\xff\xef\xee W;");
    QTest::newRow("number sign") << u"№"_s << true << 10 * kMm << QByteArray("\xb9;");
}

void TestCsvField::fieldOfABox()
{
    QFETCH(QString, text);
    QFETCH(bool, header);
    QFETCH(double, widthPx);
    QFETCH(QByteArray, expected);
    const PreparedBox box{header ? &kHeaderMemo : &kDataMemo, 0, 0, widthPx, 5 * kMm, text};
    QCOMPARE(csv::boxField(box, *m_ansi), expected);
}

QTEST_APPLESS_MAIN(TestCsvField)
#include "tst_csvfield.moc"
