// Allowed: the module below it.
#pragma once

#include "low/low.h"
