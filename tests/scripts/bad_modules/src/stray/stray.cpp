// A folder no module declaration names.
#include "low/low.h"
