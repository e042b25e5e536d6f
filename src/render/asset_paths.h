#pragma once

// The program's pictures. The texture cache keys its table by the address of these
// constants, so every user must name the constant, never an equal string of its own.
// Inline arrays have one address across the whole program.
inline constexpr char SPLASH_IMAGE[] = "./img/splash.jpg";
inline constexpr char INSTRUCTIONS_IMAGE[] = "./img/instructions.jpg";
inline constexpr char BACKGROUND_IMAGE[] = "./img/bg.jpg";
inline constexpr char CURSORS_IMAGE[] = "./img/cursors.png";
inline constexpr char CURSOR_GLOW_IMAGE[] = "./img/cursorglow.png";
inline constexpr char TIGHT_LIGHT_IMAGE[] = "./img/tightlight.png";
inline constexpr char GEAR_IMAGE[] = "./img/gear.png";
inline constexpr char MOTOR_IMAGE[] = "./img/motor.png";
inline constexpr char LINK_IMAGE[] = "./img/link.png";
inline constexpr char TOOLS_IMAGE[] = "./img/tools.png";
inline constexpr char BLUE_BUTTON_IMAGE[] = "./img/bluebutton.png";
inline constexpr char GREEN_BUTTON_IMAGE[] = "./img/greenbutton.png";
inline constexpr char RED_BUTTON_IMAGE[] = "./img/redbutton.png";
inline constexpr char SWITCH_IMAGE[] = "./img/switch.png";

// Every picture, in the order of the texture table; for tools and tests.
inline constexpr const char* ALL_IMAGES[] = {
    SPLASH_IMAGE,      INSTRUCTIONS_IMAGE, BACKGROUND_IMAGE, CURSORS_IMAGE, CURSOR_GLOW_IMAGE,
    TIGHT_LIGHT_IMAGE, GEAR_IMAGE,         MOTOR_IMAGE,      LINK_IMAGE,    TOOLS_IMAGE,
    BLUE_BUTTON_IMAGE, GREEN_BUTTON_IMAGE, RED_BUTTON_IMAGE, SWITCH_IMAGE,
};
