// What the print window prints for each record window: its caption and
// scopes, the template file, the report component's name, the selection
// formula of each scope and the message a failed print ends with. No window
// here: the print window and the tests call these directly.
#pragma once

#include <QString>

namespace corv {

struct PrintTarget {
    const char *form;          // ActiveForm: "Journal", "Stock", "Diseases", "Glossary"
    const char *caption;       // "Print Journal Record(s)"
    const char *secondScope;   // option 1: "All Records This Tank" or "All Records"
    bool tankScope;            // option 1 is the tank's records, option 2 all of them
    const char *templateFile;  // "journal.rpt", in the program's folder
    const char *componentName; // "JournalReport"
};

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
