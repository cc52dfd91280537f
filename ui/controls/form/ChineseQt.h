#pragma once

class QCoreApplication;

// Qt's own texts (the text boxes' edit menu, the colour and font dialogs, dialog buttons) in
// Chinese, as the program's own texts are, whatever the desktop's language: Qt's translations for
// zh_CN from the folder where Qt keeps them. False when they are not installed; Qt's texts then
// stay in English.
bool InstallChineseQtTranslations(QCoreApplication &app);
