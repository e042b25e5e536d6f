#pragma once

// GLUT tells which modifier keys are held only inside the mouse, keyboard and special
// callbacks; asked during pointer motion, freeglut answers 0. The shell notes the state in
// every callback that has it, and follows Shift's own key events, so that a drag can ask.
void noteModifiers(int bits);  // platform::MODIFIER_* bits, as the callback reports them
// A special key went down or up. A Shift key's own event reports the state from before it,
// so the key itself decides the Shift bit.
void noteSpecialKey(int key, bool down);
int heldModifiers();
