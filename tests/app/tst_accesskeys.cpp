#include "app/accesskeys.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestAccessKeys : public QObject
{
    Q_OBJECT
private slots:
    void withAccessKeys_data();
    void withAccessKeys();
};

void TestAccessKeys::withAccessKeys_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("keyed");

    QTest::newRow("first letters")
        << QStringList{u"Файл"_s, u"Правка"_s, u"Экспорт"_s}
        << QStringList{u"&Файл"_s, u"&Правка"_s, u"&Экспорт"_s};
    QTest::newRow("taken first letter gives way to the next")
        << QStringList{u"Файл"_s, u"Правка"_s, u"Экспорт"_s, u"Помощь"_s}
        << QStringList{u"&Файл"_s, u"&Правка"_s, u"&Экспорт"_s, u"П&омощь"_s};
    QTest::newRow("marked keys are taken before any other")
        << QStringList{u"Открыть архив на приборе"_s, u"&Открыть файл..."_s, u"Сохранить как..."_s,
                       u"Закрыть файл"_s, QString(), u"Отчет"_s, QString(), u"В&ыйти"_s}
        << QStringList{u"О&ткрыть архив на приборе"_s, u"&Открыть файл..."_s, u"&Сохранить как..."_s,
                       u"&Закрыть файл"_s, QString(), u"От&чет"_s, QString(), u"В&ыйти"_s};
    QTest::newRow("letters compared without case")
        << QStringList{u"&справка"_s, u"Сводка"_s, u"pdf"_s, u"PNG"_s}
        << QStringList{u"&справка"_s, u"С&водка"_s, u"&pdf"_s, u"P&NG"_s};
    QTest::newRow("only letters")
        << QStringList{u"1 - 2"_s, u"3. Шаг"_s} << QStringList{u"1 - 2"_s, u"3. &Шаг"_s};
    QTest::newRow("every letter taken") << QStringList{u"&Да"_s, u"Ад"_s, u"Д-А"_s, u"Нет"_s}
                                        << QStringList{u"&Да"_s, u"&Ад"_s, u"Д-А"_s, u"&Нет"_s};
    QTest::newRow("a literal ampersand marks nothing")
        << QStringList{u"&&А"_s, u"Б && В"_s, u"&Г"_s}
        << QStringList{u"&&&А"_s, u"&Б && В"_s, u"&Г"_s};
    QTest::newRow("the letter after a literal ampersand is not skipped")
        << QStringList{u"&A"_s, u"A&&B"_s} << QStringList{u"&A"_s, u"A&&&B"_s};
    QTest::newRow("a marked key shared by two entries stays with both")
        << QStringList{u"&Открыть"_s, u"&Отчет"_s, u"Окно"_s}
        << QStringList{u"&Открыть"_s, u"&Отчет"_s, u"О&кно"_s};
}

void TestAccessKeys::withAccessKeys()
{
    QFETCH(QStringList, captions);
    QFETCH(QStringList, keyed);
    QCOMPARE(::withAccessKeys(captions), keyed);
}

QTEST_MAIN(TestAccessKeys)
#include "tst_accesskeys.moc"
