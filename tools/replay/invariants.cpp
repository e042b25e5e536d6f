#include "replay/invariants.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "modes/live_mode.h"

namespace {

template <class Owned, class T>
bool owns(const std::vector<std::unique_ptr<Owned>>& list, const T* item) {
    return std::any_of(list.begin(), list.end(),
                       [item](const std::unique_ptr<Owned>& entry) { return entry.get() == item; });
}

bool isFinite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

std::string gearName(std::size_t index) {
    return "gear " + std::to_string(index);
}

std::string chainName(std::size_t index) {
    return "chain " + std::to_string(index);
}

std::string checkGear(const Gear& gear, const std::string& name) {
    if (!isFinite(gear.position)) {
        return name + ": position is not finite";
    }
    if (!std::isfinite(gear.rotation)) {
        return name + ": rotation is not finite";
    }
    if (!std::isfinite(gear.speed)) {
        return name + ": speed is not finite";
    }
    if (gear.trackedPoint != nullptr) {
        return name + ": still holds a trackedPoint between frames";
    }
    return "";
}

std::string checkLoop(const Chain& chain, const std::string& name) {
    const std::size_t count = chain.links.size();
    if (chain.points.size() != count) {
        return name + ": " + std::to_string(chain.points.size()) + " points but " +
               std::to_string(count) + " links";
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Link& link = *chain.links[i];
        const Link& previous = *chain.links[(i + count - 1) % count];
        if (link.a != previous.b) {
            return name + ": link " + std::to_string(i) + "'s a is not link " +
                   std::to_string((i + count - 1) % count) + "'s b";
        }
        if (!owns(chain.points, link.a)) {
            return name + ": link " + std::to_string(i) + "'s a is not a point of the chain";
        }
        const auto inOdd = std::count(chain.oddLinks.begin(), chain.oddLinks.end(), &link);
        const auto inEven = std::count(chain.evenLinks.begin(), chain.evenLinks.end(), &link);
        if (inOdd + inEven != 1) {
            return name + ": link " + std::to_string(i) + " is in " + std::to_string(inOdd) +
                   " odd and " + std::to_string(inEven) + " even entries";
        }
    }
    if (chain.oddLinks.size() + chain.evenLinks.size() != count) {
        return name + ": the odd and even lists hold links that are not in the chain";
    }
    return "";
}

std::string checkNumbers(const Chain& chain, const std::string& name) {
    for (std::size_t i = 0; i < chain.points.size(); ++i) {
        if (!isFinite(chain.points[i]->position)) {
            return name + ": point " + std::to_string(i) + " is not finite";
        }
    }
    for (std::size_t i = 0; i < chain.links.size(); ++i) {
        const Link& link = *chain.links[i];
        if (!isFinite(link.position) || !std::isfinite(link.rotation)) {
            return name + ": link " + std::to_string(i) + " is not finite";
        }
    }
    if (!chain.links.empty() && !std::isfinite(chain.tension())) {
        return name + ": tension is not finite";
    }
    return "";
}

std::size_t contactCount(const Chain& chain, const Point* point, const Gear* gear) {
    return static_cast<std::size_t>(
        std::count_if(chain.contacts.begin(), chain.contacts.end(),
                      [point, gear](const std::unique_ptr<Contact>& contact) {
                          return contact->point == point && contact->gear == gear;
                      }));
}

std::string checkContacts(const Chain& chain, const std::string& name, const Board& board) {
    for (std::size_t i = 0; i < chain.contacts.size(); ++i) {
        const Contact& contact = *chain.contacts[i];
        const std::string contactName = name + ": contact " + std::to_string(i);
        if (!owns(chain.points, contact.point)) {
            return contactName + "'s point is not a point of the chain";
        }
        if (!owns(board.gears, contact.gear)) {
            return contactName + "'s gear is not on the board";
        }
        if (!contact.point->touches(contact.gear)) {
            return contactName + "'s gear is not in its point's touching list";
        }
    }
    // The other way round: each touching entry has exactly one contact.
    for (std::size_t i = 0; i < chain.points.size(); ++i) {
        const Point& point = *chain.points[i];
        for (const Gear* gear : point.touching) {
            const std::size_t listed = static_cast<std::size_t>(
                std::count(point.touching.begin(), point.touching.end(), gear));
            const std::size_t contacts = contactCount(chain, &point, gear);
            if (listed != 1 || contacts != 1) {
                return name + ": point " + std::to_string(i) + " lists a gear " +
                       std::to_string(listed) + " times with " + std::to_string(contacts) +
                       " contacts";
            }
        }
    }
    return "";
}

std::string checkGrab(const Chain& chain, const std::string& name) {
    if (chain.grabbed != nullptr && !owns(chain.points, chain.grabbed)) {
        return name + ": grabbed is not a point of the chain";
    }
    if (chain.grabbed != nullptr && !isFinite(chain.grabTarget)) {
        return name + ": grabTarget is not finite";
    }
    return "";
}

std::string checkDrag(const LiveMode& mode) {
    if (mode.heldGear != nullptr && !owns(mode.board.gears, mode.heldGear)) {
        return "heldGear is not on the board";
    }
    if (mode.heldChain != nullptr && !owns(mode.board.chains, mode.heldChain)) {
        return "heldChain is not on the board";
    }
    return "";
}

}  // namespace

std::string findBrokenInvariant() {
    const Board& board = liveMode.board;
    for (std::size_t i = 0; i < board.gears.size(); ++i) {
        std::string broken = checkGear(*board.gears[i], gearName(i));
        if (!broken.empty()) {
            return broken;
        }
    }
    for (std::size_t i = 0; i < board.chains.size(); ++i) {
        const Chain& chain = *board.chains[i];
        const std::string name = chainName(i);
        for (std::string broken : {checkLoop(chain, name), checkNumbers(chain, name),
                                   checkContacts(chain, name, board), checkGrab(chain, name)}) {
            if (!broken.empty()) {
                return broken;
            }
        }
    }
    return checkDrag(liveMode);
}
