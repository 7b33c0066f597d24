// SDL outside the framework layer.
#include <SDL.h>
