// corvella-mkdb: makes a new CORVELLA.CVL, or adds to an existing one.
//
//   corvella-mkdb [--if-missing] [--empty] [--reference DIR] FILE
//   corvella-mkdb --add-reference FILE
//   corvella-mkdb --upgrade FILE
//
// A new file gets the fish diseases and the aquarist glossary built into
// the program; --empty leaves those tables empty. The file is never
// overwritten. With --if-missing an existing file is no error (the build
// uses this so the program's folder always holds a ready database, and an
// existing one is left exactly as it is). --reference runs the *.sql files
// of DIR after the tables are made.
//
// --add-reference fills the Disease and Glossary tables of an existing
// database with the built-in content, but only a table that is empty; it
// adds all of it or nothing.
//
// --upgrade brings a database made by an earlier version up to this
// version's schema, running the numbered migrations it lacks (one of them
// rebuilds the tables of a file made before record keys were declared
// AUTOINCREMENT, so that a deleted record's key is never handed out again;
// every row keeps its ID). The program does the same when it opens such a
// file; a file of a newer version is left untouched.
#include "data/DatabaseFile.h"
#include "data/FileIdentityLock.h"
#include "data/ReferenceData.h"
#include "data/Schema.h"
#include "platform/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char usage[] = "usage: corvella-mkdb [--if-missing] [--empty] [--reference DIR] FILE\n"
                     "       corvella-mkdb --add-reference FILE\n"
                     "       corvella-mkdb --upgrade FILE\n";

QString shown(const QString &path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QString programFolder = QCoreApplication::applicationDirPath();
    corv::applyLanguage(corv::chosenLocale(),
                        corv::translationFolders(
                            programFolder, programFolder + QStringLiteral("/../share/corvella")));
    QTextStream err(stderr);
    QTextStream out(stdout);
    QStringList args = app.arguments().mid(1);
    bool ifMissing = false;
    bool empty = false;
    bool addReference = false;
    bool upgrade = false;
    QString referenceDir;
    QString target;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--if-missing")) {
            ifMissing = true;
        } else if (args[i] == QLatin1String("--empty")) {
            empty = true;
        } else if (args[i] == QLatin1String("--add-reference")) {
            addReference = true;
        } else if (args[i] == QLatin1String("--upgrade")) {
            upgrade = true;
        } else if (args[i] == QLatin1String("--reference") && i + 1 < args.size()) {
            referenceDir = args[++i];
        } else if (args[i].startsWith(u'-')) {
            err << "corvella-mkdb: "
                << QCoreApplication::translate("corvella-mkdb", "unknown option %1").arg(args[i])
                << "\n"
                << usage;
            return 2;
        } else if (!target.isEmpty()) {
            err << "corvella-mkdb: "
                << QCoreApplication::translate("corvella-mkdb", "give one database file only")
                << "\n"
                << usage;
            return 2;
        } else {
            target = args[i];
        }
    }
    const bool creating = ifMissing || empty || !referenceDir.isEmpty();
    if (target.isEmpty() || (addReference && (upgrade || creating)) || (upgrade && creating)) {
        err << usage;
        return 2;
    }

    // An existing file to change: there, and not held by a running
    // Corvella, which holds its database by the file itself (an upgrade
    // under it would rebuild tables it is writing to). The lock is kept
    // until the program ends.
    corv::FileIdentityLock lock;
    auto holdExisting = [&] {
        if (!QFileInfo::exists(target)) {
            err << "corvella-mkdb: "
                << QCoreApplication::translate("corvella-mkdb", "%1 does not exist.").arg(target)
                << "\n";
            return false;
        }
        if (lock.lock(target) == corv::FileIdentityLock::InUse) {
            err << "corvella-mkdb: "
                << QCoreApplication::translate(
                       "corvella-mkdb",
                       "%1 is in use by a running Corvella; close it and try again.")
                       .arg(target)
                << "\n";
            return false;
        }
        return true;
    };

    QString error;
    if (upgrade) {
        if (!holdExisting())
            return 1;
        corv::SchemaUpgrade done;
        if (const corv::DbError e = corv::upgradeSchemaInFile(target, &done)) {
            err << "corvella-mkdb: " << e.description << "\n";
            return 1;
        }
        if (done.steps.isEmpty()) {
            out << QCoreApplication::translate(
                       "corvella-mkdb",
                       "%1 needs no upgrade: its record keys are never handed out again.")
                       .arg(shown(target))
                << "\n";
        } else {
            out << QCoreApplication::translate("corvella-mkdb", "Upgraded %1: %2.")
                       .arg(shown(target), done.steps.join(QStringLiteral("; ")))
                << "\n";
        }
        return 0;
    }

    std::optional<corv::ReferenceContent> reference;
    if (addReference || !empty) {
        reference = corv::builtInReferenceContent(&error);
        if (!reference) {
            err << "corvella-mkdb: "
                << QCoreApplication::translate(
                       "corvella-mkdb",
                       "the reference content built into the program is damaged: %1")
                       .arg(error)
                << "\n";
            return 1;
        }
    }

    if (addReference) {
        if (!holdExisting())
            return 1;
        corv::ReferenceAddition done;
        if (!corv::addReferenceContent(target, *reference, &done, &error)) {
            err << "corvella-mkdb: " << error << "\n";
            return 1;
        }
        out << done.summary(shown(target)) << "\n";
        return 0;
    }

    if (QFileInfo::exists(target)) {
        if (ifMissing)
            return 0;
        err << "corvella-mkdb: "
            << QCoreApplication::translate("corvella-mkdb",
                                           "%1 already exists; it is left as it is.")
                   .arg(target)
            << "\n";
        return 1;
    }
    QStringList extra;
    if (!referenceDir.isEmpty()) {
        const QDir dir(referenceDir);
        const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
        for (const QString &f : files) {
            QFile file(dir.filePath(f));
            if (!file.open(QIODevice::ReadOnly)) {
                err << "corvella-mkdb: "
                    << QCoreApplication::translate("corvella-mkdb", "cannot read %1")
                           .arg(file.fileName())
                    << "\n";
                return 1;
            }
            extra << QString::fromUtf8(file.readAll());
        }
    }
    if (!corv::createDatabase(target, &error, extra, reference ? &*reference : nullptr)) {
        err << "corvella-mkdb: " << error << "\n";
        return 1;
    }
    if (reference)
        out << QCoreApplication::translate("corvella-mkdb",
                                           "Created %1 with %2 diseases and %3 glossary terms.")
                   .arg(shown(target))
                   .arg(reference->diseases.rows.size())
                   .arg(reference->glossary.rows.size());
    else
        out << QCoreApplication::translate("corvella-mkdb", "Created %1.").arg(shown(target));
    out << "\n";
    return 0;
}
