// Properties of the readers of the application layer: the target-range
// settings and the help book.
#include "FuzzChecks.h"

#include "app/HelpBrowser.h"
#include "data/TargetRanges.h"
#include "platform/Conversions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <cmath>

namespace corv::fuzz {

namespace {

QString shownText(const QString &s) {
    QString t;
    for (QChar c : s.left(120))
        t += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'))
                                : QString(c);
    return u'"' + t + (s.size() > 120 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

} // namespace

// --- target ranges ---------------------------------------------------------------

QString checkTargetRangeText(const QByteArray &input) {
    const QString t = QString::fromUtf8(input);
    auto validRange = [](const TargetRange &r) {
        if ((r.low && !std::isfinite(*r.low)) || (r.high && !std::isfinite(*r.high)))
            return false;
        return !(r.low && r.high && *r.low > *r.high);
    };
    if (const auto r = TargetRanges::fromSettingsText(t)) {
        if (!validRange(*r))
            return QStringLiteral("a stored text gives an impossible range: ") + shownText(t);
        const QString written = TargetRanges::toSettingsText(*r);
        const auto back = TargetRanges::fromSettingsText(written);
        if (!back || *back != *r)
            return QStringLiteral("range %1 written as %2 does not read back")
                .arg(shownText(t), shownText(written));
        const auto typed =
            TargetRanges::fromBoundTexts(TargetRanges::boundText(r->low),
                                         TargetRanges::boundText(r->high), QStringLiteral("PH"));
        if (!typed || *typed != *r)
            return QStringLiteral("the window does not take back the bounds of ") + shownText(t);
    }

    // The two boxes of the window: the text before and after the first line
    // break.
    const qsizetype nl = t.indexOf(u'\n');
    const QString low = nl < 0 ? t : t.left(nl), high = nl < 0 ? QString() : t.mid(nl + 1);
    QString why;
    const auto typed = TargetRanges::fromBoundTexts(low, high, QStringLiteral("Nitrite"), &why);
    if (!typed) {
        if (!why.contains(QLatin1String("Nitrite")))
            return QStringLiteral("a refusal does not name the value (%1): %2")
                .arg(shownText(why), shownText(t));
        const bool lowBound = why.startsWith(QLatin1String("The low bound"));
        const QString bound = (lowBound ? low : high).trimmed();
        if (why.contains(QLatin1String("not a number")) && readsAsNumber(bound))
            return QStringLiteral("%1 is a number, yet: %2").arg(shownText(bound), why);
        if (why.contains(QLatin1String("out of range")) && readsAsFiniteNumber(bound))
            return QStringLiteral("%1 is within range, yet: %2").arg(shownText(bound), why);
        return {};
    }
    if (!validRange(*typed))
        return QStringLiteral("the window accepts an impossible range: ") + shownText(t);
    const auto stored = TargetRanges::fromSettingsText(TargetRanges::toSettingsText(*typed));
    if (!stored || *stored != *typed)
        return QStringLiteral("a typed range does not survive the store: ") + shownText(t);
    TargetRanges ranges;
    if (!ranges.setRange(QStringLiteral("Fresh Water"), QStringLiteral("Nitrite"), *typed))
        return QStringLiteral("a typed range is not taken: ") + shownText(t);
    const RangeCheck c =
        ranges.check(low, QStringLiteral("Nitrite"), QStringLiteral("Fresh Water"));
    if (c.outside() != !c.toolTip.isEmpty())
        return QStringLiteral("a mark without its reason: ") + shownText(t);
    return {};
}

// --- the help book -----------------------------------------------------------------

QString checkHelpBook(const QByteArray &input) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("CORVELLA.HLP"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(input) != input.size())
            return {}; // the machine's trouble, not the loader's
    }
    HelpBrowser browser;
    if (!browser.load(path))
        return QStringLiteral("a readable help file is not shown");
    QTextDocument *doc = browser.browser()->document();
    // Laid out as the viewer shows it, narrow and wide; a page must never
    // take long to show, whatever its words.
    for (int width : {120, 700}) {
        doc->setTextWidth(width);
        if (!(doc->size().height() >= 0))
            return QStringLiteral("the page cannot be laid out");
    }
    browser.showContents();
    return {};
}

} // namespace corv::fuzz
