// What a field holds, as the record sets, the catalogue and the transfer
// code all speak of it.
#pragma once

#include <QString>

namespace corv {

enum class FieldKind { Integer, Number, Currency, Date, Text, Memo };

struct FieldInfo {
    QString name;
    FieldKind kind = FieldKind::Text;
    int maxLength = 0; // 0: no limit
    int decimals = 0;  // the fewest decimals a number is shown with
};

} // namespace corv
