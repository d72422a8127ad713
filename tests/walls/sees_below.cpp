// Compiles: data/ sees its own headers and those of platform/ below it.
#include "data/Tables.h"
#include "platform/Conversions.h"
