#include "platform/ui/qttranslation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool loadQtTranslation(QTranslator &translator)
{
    // Russian whatever the user's language: every text of the program itself is Russian,
    // and Qt's dialogs should not be the only English words in it.
    return translator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
