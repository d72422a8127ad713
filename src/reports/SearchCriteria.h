// What the search window searches in each record window, and the find
// criteria it builds from the texts typed into its boxes. No window here:
// the search window and the tests call these directly.
#pragma once

#include "data/WindowTable.h"

#include <QString>
#include <optional>

namespace corv {

// The search row of `searchForm`'s window (its row of the window table),
// or nullptr for a window that has no search.
const SearchFields *searchFieldsFor(const QString &searchForm);

// `text` as a pattern that matches exactly that text: the wildcard
// characters * ? # and [ are put into brackets, so "2*" finds "2*" and not
// every text that starts with 2.
QString likeLiteral(const QString &text);

// The criterion for a search in `searchForm`'s window: box 1 when it holds
// text, else box 2 (windows with a second field only); exact
// ("Term = 'Ich'") or contains ("Term LIKE '*Ich*'"). Apostrophes are
// doubled so every text gives a well-formed criterion. nullopt when there is
// nothing to search for: both texts empty, or a window without a search.
std::optional<QString> searchCriteria(const QString &searchForm, const QString &text1,
                                      const QString &text2, bool exact);

} // namespace corv
