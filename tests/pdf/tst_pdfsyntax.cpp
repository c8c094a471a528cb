#include "pdf/pdfglyphnames.h"
#include "pdf/pdfsyntax.h"

#include <QTest>

#include <limits>

class TestPdfSyntax : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void literalStrings_data();
    void literalStrings();
    void names_data();
    void names();
    void glyphNames_data();
    void glyphNames();
};

void TestPdfSyntax::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("integer") << 12.0 << QByteArray("12");
    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("paper width") << 841.89 << QByteArray("841.89");
    QTest::newRow("trailing zeros dropped") << 0.750 << QByteArray("0.75");
    QTest::newRow("rounded to thousandths") << 28.34645669 << QByteArray("28.346");
    QTest::newRow("rounds up into the units") << 9.9996 << QByteArray("10");
    QTest::newRow("small fraction keeps its zeros") << 0.005 << QByteArray("0.005");
    QTest::newRow("negative") << -3.25 << QByteArray("-3.25");
    QTest::newRow("negative rounding to zero has no sign") << -0.0004 << QByteArray("0");
    QTest::newRow("large, never an exponent") << 123456789.0 << QByteArray("123456789");
    QTest::newRow("tiny, never an exponent") << 1e-12 << QByteArray("0");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray("0");
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QByteArray("0");
}

void TestPdfSyntax::numbers()
{
    QFETCH(double, value);
    QFETCH(QByteArray, written);
    QByteArray out("x ");
    pdfsyntax::appendNumber(out, value);
    QCOMPARE(out, "x " + written);
}

void TestPdfSyntax::literalStrings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("plain") << QByteArray("Nordvekt") << QByteArray("(Nordvekt)");
    QTest::newRow("empty") << QByteArray() << QByteArray("()");
    QTest::newRow("parentheses escaped") << QByteArray("a(b)c") << QByteArray("(a\\(b\\)c)");
    QTest::newRow("backslash escaped") << QByteArray("a\\b") << QByteArray("(a\\\\b)");
    QTest::newRow("carriage return escaped") << QByteArray("a\rb") << QByteArray("(a\\015b)");
    QTest::newRow("line feed and tab escaped") << QByteArray("\n\t") << QByteArray("(\\012\\011)");
    QTest::newRow("code 1 and 127") << QByteArray("\x01\x7F") << QByteArray("(\\001\\177)");
    QTest::newRow("high bytes as they are") << QByteArray("\x80\xFF") << QByteArray("(\x80\xFF)");
    QTest::newRow("nul kept") << QByteArray("a\0b", 3) << QByteArray("(a\\000b)");
}

void TestPdfSyntax::literalStrings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    QByteArray out;
    pdfsyntax::appendLiteralString(out, bytes);
    QCOMPARE(out, written);
}

void TestPdfSyntax::names_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("plain") << QByteArray("Arial,Bold") << QByteArray("/Arial,Bold");
    QTest::newRow("space") << QByteArray("Segoe UI") << QByteArray("/Segoe#20UI");
    QTest::newRow("delimiters and hash") << QByteArray("a/b(#)") << QByteArray("/a#2Fb#28#23#29");
    QTest::newRow("high byte") << QByteArray("\xC3") << QByteArray("/#C3");
}

void TestPdfSyntax::names()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, written);
    QByteArray out;
    pdfsyntax::appendName(out, name);
    QCOMPARE(out, written);
}

void TestPdfSyntax::glyphNames_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("А first capital") << 0x0410u << QByteArray("afii10017");
    QTest::newRow("Е before Ё") << 0x0415u << QByteArray("afii10022");
    QTest::newRow("Ё after Е") << 0x0401u << QByteArray("afii10023");
    QTest::newRow("Ж after Ё") << 0x0416u << QByteArray("afii10024");
    QTest::newRow("Я last capital") << 0x042Fu << QByteArray("afii10049");
    QTest::newRow("а first small") << 0x0430u << QByteArray("afii10065");
    QTest::newRow("ё") << 0x0451u << QByteArray("afii10071");
    QTest::newRow("я last small") << 0x044Fu << QByteArray("afii10097");
    QTest::newRow("numero sign") << 0x2116u << QByteArray("afii61352");
    QTest::newRow("degree") << 0x00B0u << QByteArray("degree");
    QTest::newRow("Greek with tonos") << 0x03ADu << QByteArray("epsilontonos");
    QTest::newRow("Greek capital omega: no common name") << 0x03A9u << QByteArray("uni03A9");
    QTest::newRow("CJK") << 0x6F22u << QByteArray("uni6F22");
    QTest::newRow("control character") << 0x0009u << QByteArray("uni0009");
    QTest::newRow("outside the BMP") << 0x1F600u << QByteArray("u1F600");
}

void TestPdfSyntax::glyphNames()
{
    QFETCH(uint, codePoint);
    QFETCH(QByteArray, name);
    QCOMPARE(pdfGlyphName(char32_t(codePoint)), name);
}

QTEST_GUILESS_MAIN(TestPdfSyntax)
#include "tst_pdfsyntax.moc"
