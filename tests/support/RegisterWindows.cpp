// The window makers of every layer, for the tests that open real windows
// through the main window. Kept apart from the rest of the test support so
// that a test of a lower layer links nothing of the layers above it.
#include "support/TestSupport.h"

#include "care/CareWindows.h"
#include "charts/ChartWindows.h"
#include "forms/Windows.h"
#include "reports/ReportWindows.h"
#include "tools/ToolWindows.h"

namespace corv::test {

void registerWindows() {
    registerRecordWindows();
    registerToolWindows();
    registerCareWindows();
    registerChartWindows();
    registerReportWindows();
}

} // namespace corv::test
