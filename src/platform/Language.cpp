#include "Language.h"

#include "Conversions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace corv {

QLocale chosenLocale() {
    const QString asked = qEnvironmentVariable("CORVELLA_LANG").trimmed();
    if (!asked.isEmpty())
        return QLocale(asked);
    return QLocale::system();
}

QStringList translationFolders(const QString &programFolder, const QString &shareFolder) {
    QStringList folders{programFolder + QStringLiteral("/translations")};
    if (!shareFolder.isEmpty())
        folders << shareFolder + QStringLiteral("/translations");
    return folders;
}

QString applyLanguage(const QLocale &locale, const QStringList &folders, const QString &base) {
    QLocale::setDefault(locale);
    setUserLocale(locale);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return {};
    auto *app = QCoreApplication::instance();
    QString loaded;
    if (app) {
        auto *own = new QTranslator(app);
        for (const QString &folder : folders) {
            if (own->load(locale, base, QStringLiteral("_"), folder)) {
                loaded = own->filePath();
                break;
            }
        }
        if (loaded.isEmpty())
            delete own;
        else
            QCoreApplication::installTranslator(own);
        // Qt's own texts: the buttons and captions of standard dialogs.
        auto *qt = new QTranslator(app);
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
    }
    return loaded;
}

QString localizedFile(const QString &file, const QLocale &locale) {
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return file;
    const QFileInfo info(file);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QStringList names;
    for (QString lang : locale.uiLanguages()) {
        lang.replace(u'-', u'_');
        names << lang;
        const qsizetype cut = lang.indexOf(u'_');
        if (cut > 0)
            names << lang.left(cut);
    }
    for (const QString &name : names) {
        const QString candidate =
            info.dir().filePath(info.completeBaseName() + u'_' + name + suffix);
        if (QFileInfo(candidate).isFile())
            return QDir::toNativeSeparators(candidate);
    }
    return file;
}

} // namespace corv
