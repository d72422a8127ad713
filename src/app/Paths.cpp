#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

// Where the installed share folder lies seen from the installed executables;
// the build sets it from the install layout it was configured with.
#ifndef CORVELLA_SHARE_FROM_BIN
#define CORVELLA_SHARE_FROM_BIN "../share/corvella"
#endif

namespace corv {

QString installedShareFolder(const QString &programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/" CORVELLA_SHARE_FROM_BIN));
}

FolderLayout folderLayout(const QString &programFolder, const QString &userDataFolder) {
    FolderLayout layout;
    layout.programFolder = programFolder;
    const QString share = installedShareFolder(programFolder);
    layout.installed = !programFolder.isEmpty() &&
                       QFileInfo(share + u'/' + QLatin1String(DatabaseFileName)).isFile() &&
                       QFileInfo(share) != QFileInfo(programFolder);
    if (layout.installed) {
        layout.shareFolder = share;
        layout.userFolder = userDataFolder;
    } else {
        layout.shareFolder = programFolder;
        layout.userFolder = programFolder;
    }
    return layout;
}

QString userDataFolder() {
    // The settings are kept as Corvella/Corvella.ini in the configuration
    // folder; the data goes into the folder of the same name in the data
    // folder (not the organisation-and-application pair Qt would make of it,
    // Corvella/Corvella).
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(base + QStringLiteral("/Corvella"));
}

namespace {

// Gives `from` the name `to` unless a file of that name is there by then.
bool renameNoReplace(const QString &from, const QString &to, QString *why) {
#ifdef Q_OS_UNIX
    // A hard link fails when the name is taken, in one step, which a test
    // for the file followed by a rename cannot promise.
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    if (::link(src.constData(), dst.constData()) == 0) {
        ::unlink(src.constData());
        return true;
    }
    if (errno == EEXIST) {
        *why = QCoreApplication::translate("Paths", "the file is already there");
        return false;
    }
    // File systems without hard links (FAT, some network shares) fall
    // through to an ordinary rename, which refuses an existing target too.
#endif
    QFile file(from);
    if (file.rename(to))
        return true;
    *why = file.errorString();
    return false;
}

} // namespace

FirstCopy copyPristineDatabase(const QString &pristine, const QString &target, QString *error) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return FirstCopy::Failed;
    };
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink())
        return FirstCopy::Present;
    if (!QFileInfo(pristine).isFile()) {
        if (error)
            *error =
                QCoreApplication::translate("Paths", "%1: there is no such file").arg(pristine);
        return FirstCopy::NoPristine;
    }
    const QString folder = targetInfo.absolutePath();
    if (!QDir().mkpath(folder))
        return fail(
            QCoreApplication::translate("Paths", "%1: the folder cannot be made").arg(folder));

    QFile source(pristine);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(pristine, source.errorString()));
    // Written under a name of its own beside the target, so the target never
    // holds half a database. Made for the user alone and writable, whatever
    // the pristine file's permissions.
    QTemporaryFile copy(folder + QStringLiteral("/.") + targetInfo.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return fail(QStringLiteral("%1: %2").arg(folder, copy.errorString()));
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFile::NoError)
            return fail(QStringLiteral("%1: %2").arg(pristine, source.errorString()));
        if (copy.write(chunk) != chunk.size())
            return fail(QStringLiteral("%1: %2").arg(target, copy.errorString()));
    }
    if (!copy.flush())
        return fail(QStringLiteral("%1: %2").arg(target, copy.errorString()));
#ifdef Q_OS_UNIX
    if (::fsync(copy.handle()) != 0)
        return fail(QStringLiteral("%1: %2").arg(target, QString::fromLocal8Bit(strerror(errno))));
#endif
    copy.close();

    QString why;
    if (!renameNoReplace(copy.fileName(), target, &why)) {
        // Someone else's copy got there first: theirs stands, ours goes.
        if (QFileInfo(target).exists())
            return FirstCopy::Present;
        return fail(QStringLiteral("%1: %2").arg(target, why));
    }
    copy.setAutoRemove(false);
    return FirstCopy::Copied;
}

} // namespace corv
