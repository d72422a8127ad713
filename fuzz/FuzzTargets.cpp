// Every fuzz target by its folder name, for the test that replays their
// seeds and regressions.
#include "FuzzChecks.h"

namespace corv::fuzz {

const std::vector<Target> &targets() {
    static const std::vector<Target> all = {
        {"numbers", checkNumbers},
        {"dates", checkDates},
        {"amounts", checkAmounts},
        {"criteria", checkCriteria},
        {"recordsource", checkRecordSource},
        {"formula", checkFormula},
        {"csv", checkCsvImport},
        {"templates", checkReportTemplate},
        {"ranges", checkTargetRangeText},
        {"schema", checkSchemaText},
        {"help", checkHelpBook},
    };
    return all;
}

} // namespace corv::fuzz
