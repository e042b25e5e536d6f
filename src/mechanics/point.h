#pragma once

#include <vector>

#include "render/sprite.h"

class Gear;

// One particle of a chain. The sprite's position is the particle's position; a point is never
// drawn, so its other sprite fields do not matter. There is no velocity: a point moves only
// when its links, a gear contact, a motor, the pointer pin or the board edge moves it.
class Point final : public Sprite {
  public:
    Point() = default;
    Point(const Point&) = delete;
    Point& operator=(const Point&) = delete;

    bool touches(const Gear* gear) const;
    // Forgets the first occurrence of gear in touching (nothing if it is not there).
    void stopTouching(const Gear* gear);

    // The gears this point has a contact with, each at most once; the chain's contacts and
    // this list are made and removed together.
    std::vector<Gear*> touching;
};
