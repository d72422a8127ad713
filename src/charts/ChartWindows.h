// Tells the main window how the chart window is made.
#pragma once

namespace corv {

void registerChartWindows();

} // namespace corv
