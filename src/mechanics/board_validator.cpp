#include "mechanics/board_validator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>

#include "mechanics/board.h"

namespace {

template <class Owned, class T>
bool owns(const std::vector<std::unique_ptr<Owned>>& list, const T* item) {
    return std::any_of(list.begin(), list.end(),
                       [item](const std::unique_ptr<Owned>& entry) { return entry.get() == item; });
}

// The list's items in address order, for binary searches: the sanitizer builds check every
// frame, and a linear search per link would make that quadratic in the chain's length.
template <class Item>
std::vector<const Item*> sortedAddresses(const std::vector<std::unique_ptr<Item>>& list) {
    std::vector<const Item*> sorted;
    sorted.reserve(list.size());
    for (const auto& item : list) {
        sorted.push_back(item.get());
    }
    std::sort(sorted.begin(), sorted.end(), std::less<const Item*>());
    return sorted;
}

template <class Item>
std::vector<const Item*> sortedAddresses(const std::vector<Item*>& a, const std::vector<Item*>& b) {
    std::vector<const Item*> sorted(a.begin(), a.end());
    sorted.insert(sorted.end(), b.begin(), b.end());
    std::sort(sorted.begin(), sorted.end(), std::less<const Item*>());
    return sorted;
}

template <class Item>
std::size_t occurrences(const std::vector<const Item*>& sorted, const Item* item) {
    const auto range =
        std::equal_range(sorted.begin(), sorted.end(), item, std::less<const Item*>());
    return static_cast<std::size_t>(range.second - range.first);
}

bool isFinite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
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
    const auto points = sortedAddresses(chain.points);
    const auto drawLists = sortedAddresses(chain.oddLinks, chain.evenLinks);
    for (std::size_t i = 0; i < count; ++i) {
        const Link& link = *chain.links[i];
        const std::size_t before = (i + count - 1) % count;
        if (link.a != chain.links[before]->b) {
            return name + ": link " + std::to_string(i) + "'s a is not link " +
                   std::to_string(before) + "'s b";
        }
        if (occurrences<Point>(points, link.a) == 0) {
            return name + ": link " + std::to_string(i) + "'s a is not a point of the chain";
        }
        if (occurrences(drawLists, &link) != 1) {
            const auto inOdd = std::count(chain.oddLinks.begin(), chain.oddLinks.end(), &link);
            const auto inEven = std::count(chain.evenLinks.begin(), chain.evenLinks.end(), &link);
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
        if (!isFinite(chain.links[i]->position) || !std::isfinite(chain.links[i]->rotation)) {
            return name + ": link " + std::to_string(i) + " is not finite";
        }
    }
    if (!chain.links.empty() && !std::isfinite(chain.tension())) {
        return name + ": tension is not finite";
    }
    return "";
}

std::string checkContacts(const Chain& chain, const std::string& name, const Board& board) {
    std::set<std::pair<const Point*, const Gear*>> pairs;
    const auto points = sortedAddresses(chain.points);
    for (std::size_t i = 0; i < chain.contacts.size(); ++i) {
        const Contact& contact = *chain.contacts[i];
        // Named only when something is wrong: the sanitizer builds check every frame.
        const auto contactName = [&] { return name + ": contact " + std::to_string(i); };
        if (occurrences<Point>(points, contact.point) == 0) {
            return contactName() + "'s point is not a point of the chain";
        }
        if (!owns(board.gears, contact.gear)) {
            return contactName() + "'s gear is not on the board";
        }
        if (!contact.point->touches(contact.gear)) {
            return contactName() + "'s gear is not in its point's touching list";
        }
        if (!pairs.emplace(contact.point, contact.gear).second) {
            return contactName() + " repeats an earlier contact";
        }
    }
    // The other way round: every touching entry is one of those contacts, listed once.
    for (std::size_t i = 0; i < chain.points.size(); ++i) {
        const Point* point = chain.points[i].get();
        for (const Gear* gear : point->touching) {
            const auto listed = std::count(point->touching.begin(), point->touching.end(), gear);
            if (listed != 1 || pairs.count({point, gear}) == 0) {
                return name + ": point " + std::to_string(i) + " lists a gear " +
                       std::to_string(listed) + " times with " +
                       std::to_string(pairs.count({point, gear})) + " contacts";
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

}  // namespace

std::string validateBoard(const Board& board, const Gear* heldGear, const Chain* heldChain) {
    for (std::size_t i = 0; i < board.gears.size(); ++i) {
        std::string broken = checkGear(*board.gears[i], "gear " + std::to_string(i));
        if (!broken.empty()) {
            return broken;
        }
    }
    for (std::size_t i = 0; i < board.chains.size(); ++i) {
        const Chain& chain = *board.chains[i];
        const std::string name = "chain " + std::to_string(i);
        // In this order: the later checks walk the loop the first one vouches for.
        for (const auto check : {checkLoop, checkNumbers, checkGrab}) {
            std::string broken = check(chain, name);
            if (!broken.empty()) {
                return broken;
            }
        }
        std::string broken = checkContacts(chain, name, board);
        if (!broken.empty()) {
            return broken;
        }
    }
    if (heldGear != nullptr && !owns(board.gears, heldGear)) {
        return "heldGear is not on the board";
    }
    if (heldChain != nullptr && !owns(board.chains, heldChain)) {
        return "heldChain is not on the board";
    }
    return "";
}

void assertValidAfterStep([[maybe_unused]] const Board& board) {
#ifdef BRINDLECOG_VALIDATE
    const std::string broken = validateBoard(board);
    if (!broken.empty()) {
        std::fprintf(stderr, "board broken by a step: %s\n", broken.c_str());
        std::abort();
    }
#endif
}
