#pragma once

// Makes the sound manager's singleton play on the silent output, with a short real WAV
// loaded under each of the program's refnames. Safe to call more than once.
void useSilentTestSounds();
