// The language Corvella speaks: its own translations, Qt's for the standard
// dialogs, and the conventions for typing numbers and dates.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace corv {

// The language asked for: CORVELLA_LANG ("de", "de_AT") when it is set,
// otherwise the system's.
QLocale chosenLocale();

// The folders that may hold Corvella's translations for a program in
// `programFolder`: "translations" beside it (a build folder), and the share
// folder's "translations" (an installation, `shareFolder`).
QStringList translationFolders(const QString &programFolder, const QString &shareFolder);

// Loads `base` ("corvella") for the locale's languages from the first folder
// that has it, and Qt's own translations, into the application, and sets the
// user's conventions for numbers and dates. English needs no translation:
// the texts in the code are the English ones. Returns the file of Corvella's
// translation that was loaded, or an empty text when none was.
QString applyLanguage(const QLocale &locale, const QStringList &folders,
                      const QString &base = QStringLiteral("corvella"));

// The variant of `file` for the locale, when there is one beside it:
// "CORVELLA.HLP" becomes "CORVELLA_de.HLP" for German when that file exists;
// otherwise `file` itself.
QString localizedFile(const QString &file, const QLocale &locale);

} // namespace corv
