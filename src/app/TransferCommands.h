// File > Export and File > Import: the records of the active record window
// out to a CSV file and back, with the same scope as printing (the default
// tank's journal or livestock, the whole disease list or glossary).
#pragma once

#include "data/Transfer.h"

#include <optional>

namespace corv {

// The table the active record window shows; nullopt for any other window.
std::optional<TransferTable> activeTransferTable();

// Asks for a file and writes the records to it; says how it went.
void exportActiveRecords();
// Asks for a file, checks it, shows the report and, when the user agrees,
// stores the accepted records all at once; then the window reads its
// records again. True when records were stored.
bool importIntoActiveWindow();

} // namespace corv
