#include "fuzz/state_fingerprint.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "modes/live_mode.h"
#include "modes/start_state.h"

namespace {

// Every value's bits mixed in as one word (a multiply and a shift per value): floats by their
// bits, pointers by their place on the board.
class Hash {
  public:
    template <class T>
    void add(T value) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>, "plain values only");
        static_assert(sizeof(T) <= sizeof(std::uint64_t), "one word per value");
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof(T));
        value_ = (value_ ^ bits) * 0x9E3779B97F4A7C15ull;
        value_ ^= value_ >> 29;
    }
    void add(Vec3 v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void addSprite(const Sprite& sprite) {
        add(sprite.position);
        add(sprite.offset);
        add(sprite.scale);
        add(sprite.rotation);
        add(sprite.color.r);
        add(sprite.color.g);
        add(sprite.color.b);
        add(sprite.color.a);
        add(sprite.blend);
        add(sprite.hidden);
        add(sprite.texOffset.u);
        add(sprite.texOffset.v);
        add(sprite.texScale.u);
        add(sprite.texScale.v);
        add(sprite.texTransform);
    }
    template <class Target>
    void addBlend(const BlendInterval<Target, float>& blend) {
        add(blend.duration);
        add(blend.time);
        add(blend.rate);
        add(blend.repeats);
        add(blend.loops);
        add(blend.paused);
        add(blend.finished);
        add(blend.from);
        add(blend.fromCurrent);
        add(blend.span);
        add(blend.to);
    }
    std::uint64_t value() const { return value_; }

  private:
    std::uint64_t value_ = 0x243F6A8885A308D3ull;
};

// Pieces by their place in their list (-1 for none, -2 for one that is not in it), so that the
// hash does not depend on where the pieces happen to be in memory. A sorted table, whose
// storage the next fingerprint reuses.
class Places {
  public:
    template <class List>
    void fill(const List& list) {
        places_.clear();
        for (std::size_t i = 0; i < list.size(); ++i) {
            places_.emplace_back(list[i].get(), static_cast<int>(i));
        }
        std::sort(places_.begin(), places_.end(), std::less<>());
    }
    int of(const void* piece) const {
        if (piece == nullptr) {
            return -1;
        }
        const auto found = std::lower_bound(places_.begin(), places_.end(),
                                            std::make_pair(piece, -1), std::less<>());
        return found != places_.end() && found->first == piece ? found->second : -2;
    }

  private:
    std::vector<std::pair<const void*, int>> places_;
};

void addGear(Hash& hash, const Gear& gear) {
    hash.addSprite(gear);
    hash.add(gear.radius);
    hash.add(gear.speed);
    hash.add(gear.motorSpeed);
    hash.add(gear.lifted);
    hash.add(gear.held);
    hash.add(gear.grabOffset);
    hash.add(gear.dragTarget);
    hash.add(gear.trackedPoint != nullptr);
    hash.add(gear.trackedStart);
    hash.add(gear.lastPosition);
    hash.add(gear.activeRamp == nullptr ? 0 : gear.activeRamp == gear.stopRamp.get() ? 1 : 2);
    for (const auto* ramp : {gear.stopRamp.get(), gear.startRamp.get()}) {
        hash.add(ramp != nullptr);
        if (ramp != nullptr) {
            hash.addBlend(*ramp);
        }
    }
}

void addChain(Hash& hash, const Chain& chain, const Places& gears) {
    static Places points;
    points.fill(chain.points);
    hash.add(chain.linkLength);
    hash.add(chain.origin);
    hash.add(chain.grabTarget);
    hash.add(points.of(chain.grabbed));
    hash.add(chain.points.size());
    for (const auto& point : chain.points) {
        hash.addSprite(*point);
        hash.add(point->touching.size());
        for (const Gear* gear : point->touching) {
            hash.add(gears.of(gear));
        }
    }
    hash.add(chain.links.size());
    for (const auto& link : chain.links) {
        hash.addSprite(*link);
        hash.add(points.of(link->a));
        hash.add(points.of(link->b));
        hash.add(link->length);
    }
    hash.add(chain.contacts.size());
    for (const auto& contact : chain.contacts) {
        hash.add(points.of(contact->point));
        hash.add(gears.of(contact->gear));
        hash.add(contact->life);
    }
}

void addLiveMode(Hash& hash, const LiveMode& live) {
    const Board& board = live.board;
    hash.add(board.gears.size());
    for (const auto& gear : board.gears) {
        addGear(hash, *gear);
    }
    static Places gears;
    gears.fill(board.gears);
    hash.add(board.chains.size());
    for (const auto& chain : board.chains) {
        addChain(hash, *chain, gears);
    }
    hash.add(gears.of(live.heldGear));
    static Places chains;
    chains.fill(board.chains);
    hash.add(chains.of(live.heldChain));
    hash.add(live.dragMode);
    for (const Sprite* sprite :
         {&live.tightLight, &live.background, &live.cursor, &live.cursorGlow}) {
        hash.addSprite(*sprite);
    }
    hash.add(live.toolBar != nullptr);
    if (live.toolBar != nullptr) {
        const ToolBar& bar = *live.toolBar;
        hash.addSprite(bar);
        for (const auto& button : bar.buttons) {
            hash.addSprite(*button);
        }
        hash.addSprite(bar.powerSwitch);
        hash.add(bar.tool);
        hash.add(bar.pressed);
        hash.add(bar.slide != nullptr);
        if (bar.slide != nullptr) {
            hash.addBlend(*bar.slide);
        }
    }
}

}  // namespace

std::uint64_t fingerprintGame() {
    Hash hash;
    hash.add(currentState == &liveMode ? 2 : currentState == &startState ? 1 : 0);
    hash.add(startState.instructionsShown);
    if (currentState == &liveMode) {
        addLiveMode(hash, liveMode);
    }
    return hash.value();
}
