#pragma once

#include <memory>
#include <vector>

#include "mechanics/vec3.h"
#include "render/interval.h"
#include "render/sprite.h"

// The tools, in the order of the bar's buttons: a button's index is its tool. In a namespace of
// their own, so that Move, Motor and Delete name nothing else.
namespace tools {
enum Tool : int {
    Move = 0,
    SmallGear,
    MediumGear,
    LargeGear,
    Motor,
    LengthenChain,
    ShortenChain,
    NewChain,
    ResetChain,
    Delete,
    ClearAll,
    COUNT
};
}  // namespace tools

// The play mode's control panel: a 512 by 256 picture at the bottom of the board with eleven
// tool buttons and the motor power switch. It rests lowered with only its top strip showing,
// slides up when the pointer touches it, and slides down again when the pointer leaves it
// while Move is the tool. Buttons and switch are placed relative to the bar's centre.
class ToolBar final : public Sprite {
  public:
    static constexpr float LOWERED_Y = -400.0f;
    static constexpr float RAISED_Y = -180.0f;
    static constexpr float SLIDE_TIME = 0.75f;  // seconds

    ToolBar();
    ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    void draw() override;

    // Whether the board point lies on the bar; raises or lowers it as the pointer comes and
    // goes. `busy`: the play mode is dragging something, and the bar must not rise.
    bool hover(Vec3 point, bool busy);
    // Every mouse press and release, before the play mode acts (GLUT codes, board point).
    void mouseButton(int button, int state, Vec3 point);
    void selectTool(int index);
    int buttonAt(Vec3 local) const;
    void addButton(float size, float x, float y, const char* imagePath);

    // The power switch shows its left frame (u = 0) while on and its right (0.5) while off.
    bool powerOn() const { return powerSwitch.texOffset.u < 0.4; }

    // Bounds included, on all three axes.
    static bool boxContains(const Sprite& sprite, Vec3 point);

    std::vector<std::unique_ptr<Sprite>> buttons;
    std::unique_ptr<BlendInterval<Sprite, float>> slide;
    Sprite powerSwitch;
    int tool = tools::Move;
    int pressed = -1;

  private:
    void togglePower();
};
