#pragma once

#include "mechanics/board_lists.h"
#include "mechanics/chain.h"
#include "mechanics/chain_batch.h"
#include "mechanics/gear.h"
#include "mechanics/vec3.h"

// The pieces that can be put on the board.
enum class PieceKind : int {
    SmallGear = 0,   // radius 30
    MediumGear = 1,  // radius 40
    LargeGear = 2,   // radius 50
    Motor = 3,       // radius 50, full speed 200 degrees per second
};

// How Board::step runs the chains' relaxation passes: every chain on its own (the reference
// the tests and the benchmark compare with), or chains side by side in SIMD lanes. Both give
// the same floats, bit for bit.
enum class ChainStepping { Batched, OneChainAtATime };

// Link length of every chain the board makes.
constexpr float BOARD_LINK_LENGTH = 22.0f;

// Everything on the board and one frame of its mechanism: the one way of building and running
// a scene, shared by the play mode, the tests, the tools and the benchmark. The board owns its
// gears and chains in creation order.
class Board {
  public:
    Board() = default;
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Builds a piece at point and appends it to gears. A motor starts at full speed when the
    // power is on, at rest otherwise. An unknown kind adds nothing and returns null.
    Gear* addPiece(PieceKind kind, Vec3 point, bool powerOn);
    // Builds a chain of count points (rounded down to even) laid out from origin.
    Chain* addChain(int count, Vec3 origin);
    // Tells every chain to forget the gear, then destroys it; null does nothing.
    void removeGear(Gear* gear);
    void removeChain(Chain* chain);
    // Every gear from the front, then every chain: each chain hears of each gear first.
    void clear();

    // The first gear whose disc strictly contains point (a point on the rim is off it).
    Gear* gearAt(Vec3 point) const;
    // The first chain with a link under point.
    Chain* chainAt(Vec3 point) const;

    // The board the play mode starts with: a square chain of 46 around a motor and three
    // large gears.
    void layOutStartingBoard(bool powerOn);

    // The tension warning's measure: the largest chain tension, at least 0.
    float largestTension() const;

    // The mechanism's part of a frame: every chain steps, then every gear updates and every
    // free motor has the ramp for the power switch restarted, which eases its speed towards
    // full (power on) or rest (off) by dt / RAMP_TIME of the remaining gap per frame.
    void step(float dt, bool powerOn, ChainStepping stepping = ChainStepping::Batched);

    GearList gears;
    ChainList chains;

  private:
    ChainBatcher batcher;  // its storage serves every frame
};
