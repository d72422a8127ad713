#include "FileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corv {

bool copyFileSafely(const QString &from, const QString &to, QString *error) {
    auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return fail(QStringLiteral("A file cannot be copied onto itself."));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
    // QSaveFile writes beside the target, syncs it to disk on commit and then
    // renames it over the target in one step.
    QSaveFile target(to);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: %2").arg(to, target.errorString()));
    QByteArray chunk;
    while (!source.atEnd()) {
        chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            target.cancelWriting();
            return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
        }
        if (target.write(chunk) != chunk.size()) {
            const QString why = target.errorString();
            target.cancelWriting();
            return fail(QStringLiteral("%1: %2").arg(to, why));
        }
    }
    if (source.error() != QFile::NoError) {
        target.cancelWriting();
        return fail(QStringLiteral("%1: %2").arg(from, source.errorString()));
    }
    if (!target.commit())
        return fail(QStringLiteral("%1: %2").arg(to, target.errorString()));
    return true;
}

} // namespace corv
