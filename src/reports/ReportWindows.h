// Tells the main window and the record windows how the search and print
// windows are made.
#pragma once

namespace corv {

void registerReportWindows();

} // namespace corv
