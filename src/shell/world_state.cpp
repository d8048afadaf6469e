// The one game-wide state record.
#include "shell/world_state.h"

WorldState world;
