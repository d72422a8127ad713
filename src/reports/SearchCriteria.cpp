#include "SearchCriteria.h"

#include "data/Criteria.h"

namespace corv {

const SearchFields *searchFieldsFor(const QString &searchForm) {
    const WindowKind *w = windowByMarker(searchForm);
    return w ? w->search : nullptr;
}

QString likeLiteral(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            out += u'[';
            out += c;
            out += u']';
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> searchCriteria(const QString &searchForm, const QString &text1,
                                      const QString &text2, bool exact) {
    const SearchFields *row = searchFieldsFor(searchForm);
    if (!row || (text1.isEmpty() && text2.isEmpty()))
        return std::nullopt;
    // Box 1 wins; box 2 counts only where the window has one.
    QString field = QString::fromLatin1(row->field1);
    QString text = text1;
    if (text1.isEmpty()) {
        if (!row->field2)
            return std::nullopt;
        field = QString::fromLatin1(row->field2);
        text = text2;
    }
    return exact ? exactCriterion(field, text) : containsCriterion(field, likeLiteral(text));
}

} // namespace corv
