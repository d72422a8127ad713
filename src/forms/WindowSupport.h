// What every window that opens the database shares: opening steps that
// recover from a missing database file.
#pragma once

#include <functional>

namespace corv {

class DataControl;

// Runs a step of opening a window. A missing database file makes the user
// pick it (the step then runs again on that file); false when the user
// cancelled, or when another error ended the program.
bool runGuarded(DataControl &data, const std::function<void()> &step);

} // namespace corv
