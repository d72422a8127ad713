// Must not compile: data/ sees no header of the application shell above it.
#include "app/Settings.h"
