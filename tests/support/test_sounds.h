#pragma once

// Makes the sound manager's singleton play on the silent output, with the program's sounds
// loaded the way start-up loads them, from short tones: 0.2 s for every effect, 0.05 s for
// the music (so a test can hear it loop). Safe to call more than once, but not inside said(),
// which it uses to keep the loading quiet.
void useSilentTestSounds();

// After Sound::shutdown: the next useSilentTestSounds opens and loads them again.
void forgetSilentTestSounds();
