#include "app/held_modifiers.h"

#include "app/platform.h"

namespace {
int held = 0;
}

void noteModifiers(int bits) {
    held = bits;
}

void noteSpecialKey(int key, bool down) {
    if (key != platform::KEY_SHIFT_LEFT && key != platform::KEY_SHIFT_RIGHT) {
        return;
    }
    held = down ? held | platform::MODIFIER_SHIFT : held & ~platform::MODIFIER_SHIFT;
}

int heldModifiers() {
    return held;
}
