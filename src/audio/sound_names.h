#pragma once

// The program's sounds. The sound manager keys its table by the address of the refname
// constants, so every caller names these constants.
inline constexpr char BUTTON_SOUND[] = "button";
inline constexpr char PLACE_SOUND[] = "place";
inline constexpr char MOTOR_START_SOUND[] = "motorStart";
inline constexpr char MOTOR_STOP_SOUND[] = "motorStop";
inline constexpr char BACKGROUND_SOUND[] = "bg";

inline constexpr char BUTTON_SOUND_FILE[] = "./sounds/button.wav";
inline constexpr char PLACE_SOUND_FILE[] = "./sounds/place.wav";
inline constexpr char MOTOR_START_SOUND_FILE[] = "./sounds/motorStart.wav";
inline constexpr char MOTOR_STOP_SOUND_FILE[] = "./sounds/motorStop.wav";
inline constexpr char BACKGROUND_SOUND_FILE[] = "./sounds/bg.mp3";

struct SoundFile {
    const char* path;
    const char* refname;
    bool loop;
};

// What start-up loads, in this order.
inline constexpr SoundFile ALL_SOUNDS[] = {
    {BUTTON_SOUND_FILE, BUTTON_SOUND, false},
    {PLACE_SOUND_FILE, PLACE_SOUND, false},
    {MOTOR_START_SOUND_FILE, MOTOR_START_SOUND, false},
    {MOTOR_STOP_SOUND_FILE, MOTOR_STOP_SOUND, false},
    {BACKGROUND_SOUND_FILE, BACKGROUND_SOUND, true},
};
