// The framework layer may include SDL.
#include <SDL.h>
