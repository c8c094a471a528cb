#pragma once

class QTranslator;

// Loads Qt's own Russian texts (the labels, buttons and warnings of the file, print and
// message dialogs, the command line's usage and errors) from the system's Qt translations.
// False when the system has none; Qt's texts then stay in English.
bool loadQtTranslation(QTranslator &translator);
