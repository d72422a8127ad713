// Tells the main window how the tool windows are made.
#pragma once

namespace corv {

void registerToolWindows();

} // namespace corv
