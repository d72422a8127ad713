// The index list of the diseases and glossary windows, without the window:
// which names it offers for a window, reading them, and the criterion that
// finds a picked name among that window's records.
#pragma once

#include "DbError.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace corv {

class BoundRecordSource;

namespace indexlist {

struct Target {
    QString source; // the names, in the order the list shows them
    QString field;  // the field a picked name is found by
};

// The index of the window whose marker is `searchForm` ("Diseases",
// "Glossary"); nullopt for a window without one.
std::optional<Target> targetFor(const QString &searchForm);

// Runs the target's source on `data` (its database already named) and
// returns the first field of every row in the query's order, duplicates and
// empty names included. No rows give an empty list, not an error.
DbError readNames(BoundRecordSource &data, const Target &target, QStringList &names);

// FIELD = 'NAME', with any apostrophe in the name doubled so that a name
// such as "Sailor's disease" still finds its row.
QString criterion(const Target &target, const QString &name);

} // namespace indexlist
} // namespace corv
