// corvella-mkdb: makes a new, empty CORVELLA.CVL.
//
//   corvella-mkdb [--if-missing] [--reference DIR] FILE
//
// The file is never overwritten. With --if-missing an existing file is no
// error (the build uses this so the program's folder always holds a ready
// database). --reference loads the reference content (*.sql) of DIR.
#include "data/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);
    QStringList args = app.arguments().mid(1);
    bool ifMissing = false;
    QString referenceDir;
    QString target;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--if-missing")) {
            ifMissing = true;
        } else if (args[i] == QLatin1String("--reference") && i + 1 < args.size()) {
            referenceDir = args[++i];
        } else if (args[i].startsWith(u'-')) {
            err << "corvella-mkdb: unknown option " << args[i] << "\n";
            return 2;
        } else {
            target = args[i];
        }
    }
    if (target.isEmpty()) {
        err << "usage: corvella-mkdb [--if-missing] [--reference DIR] FILE\n";
        return 2;
    }
    if (QFileInfo::exists(target)) {
        if (ifMissing)
            return 0;
        err << "corvella-mkdb: " << target << " already exists; it is left as it is.\n";
        return 1;
    }
    QStringList extra;
    if (!referenceDir.isEmpty()) {
        const QDir dir(referenceDir);
        const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
        for (const QString &f : files) {
            QFile file(dir.filePath(f));
            if (!file.open(QIODevice::ReadOnly)) {
                err << "corvella-mkdb: cannot read " << file.fileName() << "\n";
                return 1;
            }
            extra << QString::fromUtf8(file.readAll());
        }
    }
    QString error;
    if (!corv::createDatabase(target, &error, extra)) {
        err << "corvella-mkdb: " << error << "\n";
        return 1;
    }
    out << "Created " << QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()) << "\n";
    return 0;
}
