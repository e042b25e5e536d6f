#pragma once

#include <memory>

#include "mechanics/board.h"
#include "modes/state.h"
#include "render/sprite.h"
#include "ui/tool_bar.h"

// The play mode: the board of gears, motors and chains, the tool bar, the tension light and
// the tool icon that follows the pointer. It owns everything on the board.
class LiveMode : public State {
  public:
    // dragMode values.
    static constexpr int NO_DRAG = 0;
    static constexpr int LEFT_DRAG = 1;  // held back by the chain and the other gears
    static constexpr int FREE_DRAG = 2;  // a gear begun with another button: goes straight

    static constexpr float TENSION_WARNING = 1.08f;
    static constexpr int NEW_CHAIN_POINTS = 40;

    LiveMode() : State("live") {}
    ~LiveMode() override = default;  // destroys what the board still holds

    bool enter(State* previous) override;
    bool leave(State* next) override;
    void display() override;
    bool update() override;
    void mouse(int button, int state, int x, int y) override;
    void motion(int x, int y) override;
    void passiveMotion(int x, int y) override;

    // Board operations. Removing the gear or chain being dragged ends that drag.
    Gear* addPiece(PieceKind kind, Vec3 point);
    Chain* addChain(int count, Vec3 point);
    void removeGear(Gear* gear);
    void removeChain(Chain* chain);
    void clearBoard();
    Gear* gearAt(Vec3 point) const { return board.gearAt(point); }
    Chain* chainAt(Vec3 point) const { return board.chainAt(point); }

    // Window pixels (origin top left, y down) to board units (origin centre, y up), z = 0.
    static Vec3 toBoard(int x, int y);
    void placeCursor(int tool, Vec3 point);
    bool powerOn() const { return toolBar != nullptr && toolBar->powerOn(); }
    bool lightOn() const { return tightLight.texOffset.u != 0.0f; }

    Board board;  // the chains and the gears, in creation order
    std::unique_ptr<ToolBar> toolBar;
    Gear* heldGear = nullptr;
    Chain* heldChain = nullptr;
    int dragMode = NO_DRAG;
    // How the board's chains are stepped: side by side in the game, one at a time in the
    // reference copy a fuzzer or a test compares it with.
    ChainStepping chainStepping = ChainStepping::Batched;
    Sprite tightLight;
    Sprite background;
    Sprite cursor;
    Sprite cursorGlow;  // hidden: a click on the board does nothing

  private:
    void updateGlow(int tool, Vec3 point, bool overBar);
    void pressWithMove(int button, Vec3 point);
    void releaseWithMove(int button);
    void endDrag();
    void applyTool(int tool, Vec3 point);
};

extern LiveMode liveMode;
