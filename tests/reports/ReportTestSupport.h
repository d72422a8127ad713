// Helpers the report tests share: reading a PDF back as text, page by page.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace corv::test {

// The text of each page of a PDF file (pdftotext, layout kept). Empty when
// the file cannot be read.
inline QStringList pdfPages(const QString &path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

inline QString pdfText(const QString &path) {
    return pdfPages(path).join(u'\n');
}

// How often `word` stands in `text` as a whole word.
inline int countWord(const QString &text, const QString &word) {
    const QRegularExpression re(
        QStringLiteral("(?<![\\w/])%1(?![\\w/])").arg(QRegularExpression::escape(word)));
    int n = 0;
    for (auto it = re.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

} // namespace corv::test
