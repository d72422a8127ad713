// Tells the main window how each record window is made.
#pragma once

namespace corv {

void registerRecordWindows();

} // namespace corv
