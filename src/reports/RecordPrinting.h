// What the print window prints for each record window (its row of the
// window table: caption and scopes, template file, report component), the
// selection formula of each scope and the message a failed print ends with.
// No window here: the print window and the tests call these directly.
#pragma once

#include "data/WindowTable.h"

#include <QString>

namespace corv {

// The row of `activeForm`, or nullptr for a window that prints nothing.
const PrintTarget *printTargetFor(const QString &activeForm);

// The selection formula of scope `option` (0 the current record, 1 the
// tank's records or all, 2 all) for the record `id` of tank `tankId`:
// "{ID} = 12", "{TankID} = 3" or empty (every record).
QString printSelectionFormula(const PrintTarget &target, int option, const QString &id,
                              const QString &tankId);

// The message of a print that failed: the failure of the print command
// (number 0 when only the report failed), the report's last error, then the
// report file and the data file, one line each.
QString printErrorMessage(int failureNumber, const QString &failureText, int reportNumber,
                          const QString &reportText, const QString &reportFile,
                          const QString &dataFile);

} // namespace corv
