#pragma once

#include <QString>
#include <QStringList>

// Loads the translations of the player's language into the application, in this order: Qt's own
// texts ("qtbase_<code>.qm" from the toolkit's translations folder, else the file of the code's
// language and country, "qtbase_pt_BR.qm" for "pt"), the English plural forms
// ("languages/en.qm"), then the installer's texts ("languages/<code>.qm", for a code other than
// "en"). The "languages" folder is looked for in `folder`; unless given, each file is looked for
// as AppPaths::languageFile() finds it. A later
// file wins, so the English plurals stand wherever the player's language has none. Numbers are
// then written as the language writes them (the default locale), unless the system's locale is
// of that language already. Returns the
// files loaded; a missing file is passed over.
QStringList installTranslations(const QString &language, const QString &folder = QString());
