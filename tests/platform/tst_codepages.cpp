#include "platform/codepages.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCodePages : public QObject
{
    Q_OBJECT

private slots:
    void windowsCodePageForLocale_data();
    void windowsCodePageForLocale();
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void everyByteRoundTrips_data();
    void everyByteRoundTrips();
    void cyrillicTextRoundTrips();
    void unknownCodePage();
};

void TestCodePages::windowsCodePageForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("codePage");

    QTest::newRow("russian") << u"ru_RU.UTF-8"_s << 1251;
    QTest::newRow("russian plain") << u"ru"_s << 1251;
    QTest::newRow("russian bcp47") << u"ru-RU"_s << 1251;
    QTest::newRow("ukrainian") << u"uk_UA"_s << 1251;
    QTest::newRow("belarusian") << u"be_BY.UTF-8"_s << 1251;
    QTest::newRow("bulgarian") << u"bg_BG"_s << 1251;
    QTest::newRow("kazakh") << u"kk_KZ"_s << 1251;
    QTest::newRow("kyrgyz") << u"ky_KG"_s << 1251;
    QTest::newRow("mongolian") << u"mn_MN"_s << 1251;
    QTest::newRow("tatar") << u"tt_RU"_s << 1251;
    QTest::newRow("serbian cyrillic") << u"sr_RS"_s << 1251;
    QTest::newRow("serbian latin modifier") << u"sr_RS@latin"_s << 1250;
    QTest::newRow("serbian latin script") << u"sr-Latn-RS"_s << 1250;
    QTest::newRow("polish") << u"pl_PL.UTF-8"_s << 1250;
    QTest::newRow("czech") << u"cs_CZ"_s << 1250;
    QTest::newRow("hungarian") << u"hu_HU"_s << 1250;
    QTest::newRow("german") << u"de_DE.UTF-8"_s << 1252;
    QTest::newRow("english") << u"en_US"_s << 1252;
    QTest::newRow("c locale") << u"C"_s << 1252;
    QTest::newRow("c utf-8") << u"C.UTF-8"_s << 1252;
    QTest::newRow("posix") << u"POSIX"_s << 1252;
    QTest::newRow("empty") << QString() << 1252;
    QTest::newRow("unknown") << u"xx_YY"_s << 1252;
    QTest::newRow("greek") << u"el_GR"_s << 1253;
    QTest::newRow("turkish") << u"tr_TR"_s << 1254;
    QTest::newRow("azerbaijani cyrillic") << u"az_AZ@cyrillic"_s << 1251;
    QTest::newRow("hebrew") << u"he_IL"_s << 1255;
    QTest::newRow("arabic") << u"ar_EG"_s << 1256;
    QTest::newRow("persian") << u"fa_IR"_s << 1256;
    QTest::newRow("lithuanian") << u"lt_LT"_s << 1257;
    QTest::newRow("estonian") << u"et_EE"_s << 1257;
    QTest::newRow("vietnamese") << u"vi_VN"_s << 1258;
    QTest::newRow("thai") << u"th_TH"_s << 874;
    QTest::newRow("japanese") << u"ja_JP.UTF-8"_s << 932;
    QTest::newRow("chinese simplified") << u"zh_CN"_s << 936;
    QTest::newRow("korean") << u"ko_KR"_s << 949;
    QTest::newRow("chinese taiwan") << u"zh_TW"_s << 950;
    QTest::newRow("chinese hong kong") << u"zh_HK.UTF-8"_s << 950;
    QTest::newRow("chinese traditional script") << u"zh-Hant"_s << 950;
}

void TestCodePages::windowsCodePageForLocale()
{
    QFETCH(QString, locale);
    QFETCH(int, codePage);
    QCOMPARE(::windowsCodePageForLocale(locale), codePage);
}

void TestCodePages::decode_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("1251 ascii") << 1251 << QByteArray("v003; x") << u"v003; x"_s;
    QTest::newRow("1251 kind word") << 1251 << QByteArray("\xCE\xF1\xED\xEE\xE2\xED\xEE\xE9")
                                    << u"Основной"_s;
    QTest::newRow("1251 numero sign") << 1251 << QByteArray("\xB9") << u"№"_s;
    QTest::newRow("1251 yo") << 1251 << QByteArray("\xA8\xB8") << u"Ёё"_s;
    QTest::newRow("1251 euro") << 1251 << QByteArray("\x88") << u"€"_s;
    // A byte the code page leaves undefined stands for a character of its own.
    QTest::newRow("1251 undefined byte") << 1251 << QByteArray("a\x98z") << u"a\u0098z"_s;
    QTest::newRow("1252 undefined bytes") << 1252 << QByteArray("\x81\x8D\x8F\x90\x9D")
                                          << u"\u0081\u008D\u008F\u0090\u009D"_s;
    QTest::newRow("1250 undefined bytes") << 1250 << QByteArray("\x81\x83\x88\x90\x98")
                                          << u"\u0081\u0083\u0088\u0090\u0098"_s;
    QTest::newRow("1253 undefined bytes above 0x9F") << 1253 << QByteArray("\xAA\xD2\xFF")
                                                     << u"\uF7AA\uF7D2\uF7FF"_s;
    QTest::newRow("874 undefined bytes") << 874 << QByteArray("\x81\xDB\xFC")
                                         << u"\u0081\uF7DB\uF7FC"_s;
    QTest::newRow("1251 nul kept") << 1251 << QByteArray("a\0b", 3) << u"a\0b"_s;
    QTest::newRow("1251 empty") << 1251 << QByteArray() << QString();
    QTest::newRow("1252 euro") << 1252 << QByteArray("\x80") << u"€"_s;
    QTest::newRow("1252 umlaut") << 1252 << QByteArray("\xE4") << u"ä"_s;
    QTest::newRow("1250 l stroke") << 1250 << QByteArray("\xB3") << u"ł"_s;
    QTest::newRow("932 japanese") << 932 << QByteArray("\x93\xFA\x96\x7B") << u"日本"_s;
    QTest::newRow("932 cut off lead byte") << 932 << QByteArray("a\x93") << u"a\ufffd"_s;
    QTest::newRow("936 chinese") << 936 << QByteArray("\xD6\xD0") << u"中"_s;
}

void TestCodePages::decode()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    const auto page = makeCodePage(codePage);
    QVERIFY(page);
    QCOMPARE(page->number(), codePage);
    QCOMPARE(page->decode(bytes), text);
}

void TestCodePages::encode_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("1251 kind word") << 1251 << u"Индивид."_s
                                    << QByteArray("\xC8\xED\xE4\xE8\xE2\xE8\xE4.");
    QTest::newRow("1251 numero sign") << 1251 << u"№ 5"_s << QByteArray("\xB9 5");
    QTest::newRow("1251 unmappable latin") << 1251 << u"ä"_s << QByteArray("?");
    QTest::newRow("1251 unmappable cjk") << 1251 << u"x日y"_s << QByteArray("x?y");
    QTest::newRow("1251 pair is one character") << 1251 << u"a\U0001F600b"_s
                                                << QByteArray("a?b");
    QTest::newRow("1251 replacement char") << 1251 << u"\ufffd"_s << QByteArray("?");
    QTest::newRow("1251 control character of its undefined byte") << 1251 << u"a\u0098"_s
                                                                   << QByteArray("a\x98");
    // 0x81 is a letter in 1251: U+0081 is a character the code page lacks.
    QTest::newRow("1251 control character of another page") << 1251 << u"\u0081\u008D"_s
                                                             << QByteArray("??");
    QTest::newRow("1251 private-use character of another page") << 1251 << u"\uF7AA"_s
                                                                << QByteArray("?");
    QTest::newRow("1252 control characters of its undefined bytes")
            << 1252 << u"\u0081\u008D\u008F\u0090\u009D"_s << QByteArray("\x81\x8D\x8F\x90\x9D");
    QTest::newRow("1252 other control characters") << 1252 << u"\u0080\u0098"_s << QByteArray("??");
    QTest::newRow("1251 nul kept") << 1251 << u"a\0b"_s << QByteArray("a\0b", 3);
    QTest::newRow("1252 cyrillic unmappable") << 1252 << u"Д"_s << QByteArray("?");
    QTest::newRow("932 japanese") << 932 << u"日本"_s << QByteArray("\x93\xFA\x96\x7B");
    QTest::newRow("932 unmappable thai") << 932 << u"aกb"_s << QByteArray("a?b");
    QTest::newRow("932 pair is one character") << 932 << u"\U0001F600"_s << QByteArray("?");
}

void TestCodePages::encode()
{
    QFETCH(int, codePage);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    const auto page = makeCodePage(codePage);
    QVERIFY(page);
    QCOMPARE(page->encode(text), bytes);
}

void TestCodePages::everyByteRoundTrips_data()
{
    QTest::addColumn<int>("codePage");
    for (const int number : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258})
        QTest::newRow(qPrintable(QString::number(number))) << number;
}

// Text read in a single-byte code page is written back byte for byte, bytes the code page
// leaves undefined included.
void TestCodePages::everyByteRoundTrips()
{
    QFETCH(int, codePage);
    const auto page = makeCodePage(codePage);
    QVERIFY(page);
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, char(byte));
        const QString text = page->decode(one);
        QCOMPARE(text.size(), 1);
        QVERIFY2(text.at(0) != u'\ufffd', qPrintable(QString::number(byte, 16)));
        QVERIFY2(page->encode(text) == one, qPrintable(QString::number(byte, 16)));
        all.append(one);
    }
    QCOMPARE(page->encode(page->decode(all)), all);
}

void TestCodePages::cyrillicTextRoundTrips()
{
    const auto page = makeCodePage(1251);
    QVERIFY(page);
    QString alphabet;
    for (char16_t c = u'А'; c <= u'я'; ++c)
        alphabet += QChar(c);
    alphabet += u"Ёё№«»–—"_s;
    const QByteArray bytes = page->encode(alphabet);
    QCOMPARE(bytes.size(), alphabet.size());
    QVERIFY(!bytes.contains('?'));
    QCOMPARE(page->decode(bytes), alphabet);
}

void TestCodePages::unknownCodePage()
{
    QVERIFY(!makeCodePage(4));
}

QTEST_GUILESS_MAIN(TestCodePages)
#include "tst_codepages.moc"
