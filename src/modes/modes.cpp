// The two mode objects live for the whole process. They are defined here, together, so that
// they are built in this order (the play mode first) and destroyed in the reverse order.
#include "modes/live_mode.h"
#include "modes/start_state.h"

LiveMode liveMode;
StartState startState;
