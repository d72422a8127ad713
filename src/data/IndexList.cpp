#include "IndexList.h"

#include "BoundRecordSource.h"
#include "Criteria.h"
#include "WindowTable.h"

namespace corv::indexlist {

std::optional<Target> targetFor(const QString &searchForm) {
    const WindowKind *w = windowByMarker(searchForm);
    if (!w || !w->index)
        return std::nullopt;
    return Target{w->index->names(), QString::fromLatin1(w->index->field)};
}

DbError readNames(BoundRecordSource &data, const Target &target, QStringList &names) {
    names.clear();
    BoundRecordSource::ErrorTrap trap(data);
    data.setRecordSource(target.source);
    if (!data.Refresh())
        return trap.error();
    auto &rs = data.Recordset();
    const int count = rs.RecordCount();
    names.reserve(count);
    // An empty result has no first row to move to.
    if (count > 0 && !rs.MoveFirst())
        return trap.error();
    for (int i = 0; i < count; ++i) {
        names.append(rs.Fields(0));
        if (i + 1 < count && !rs.MoveNext())
            return trap.error();
    }
    return {};
}

QString criterion(const Target &target, const QString &name) {
    return exactCriterion(target.field, name);
}

} // namespace corv::indexlist
