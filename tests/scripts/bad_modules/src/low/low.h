// Includes the module above it.
#pragma once

#include "high/high.h"
#include "platform/window.h"
