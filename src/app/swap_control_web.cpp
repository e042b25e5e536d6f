#include "app/swap_control.h"

// The browser draws on its own animation frames, already synchronised with the display: there
// is no swap interval to set.
void initSwapControl() {}
void setVSync(bool) {}
