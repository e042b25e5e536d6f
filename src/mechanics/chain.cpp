#include "mechanics/chain.h"

#include <algorithm>
#include <type_traits>

#include "mechanics/gear.h"
#include "render/asset_paths.h"
#include "render/link_batch.h"

// The relaxation walks links[i].get() and the ends' positions in place; these keep that walk
// to plain loads of pointers and packed floats.
static_assert(sizeof(std::unique_ptr<Link>) == sizeof(Link*),
              "an owning link pointer must be a bare pointer");
static_assert(std::is_same<decltype(Sprite::position), Vec3>::value,
              "a point's position must be a plain Vec3");

Chain::Chain(int count, float linkLength, Vec3 origin)
    : linkLength(linkLength), origin(origin), linkImage(LINK_IMAGE) {
    const int n = count > 0 ? count / 2 * 2 : 0;
    points.reserve(static_cast<std::size_t>(n));
    links.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        points.push_back(std::make_unique<Point>());
    }
    for (int i = 0; i < n; ++i) {
        links.push_back(makeLink(points[i].get(), points[(i + 1) % n].get()));
        (i % 2 != 0 ? oddLinks : evenLinks).push_back(links.back().get());
    }
    layout();
}

Chain::~Chain() {
    for (const auto& contact : contacts) {
        contact->detach();
    }
    contacts.clear();
    points.clear();
    links.clear();
}

std::unique_ptr<Link> Chain::makeLink(Point* a, Point* b) const {
    auto link = std::make_unique<Link>(linkLength, a, b);
    link->setTexture(linkImage);
    return link;
}

void Chain::layout() {
    const int n = static_cast<int>(links.size());
    const int q = n / 4;
    const float length = linkLength;
    // The sides are compared with n/4, n/2 and 3n/4 as real numbers: for n not a multiple of
    // four the top and bottom sides sit half a link off the grid and two points may meet.
    const float top = origin.y + length * (static_cast<float>(n) / 4.0f);
    const float threeQuarters = static_cast<float>(3 * n) / 4.0f;
    for (int i = 0; i < n; ++i) {
        Vec3& at = links[i]->a->position;
        if (4 * i < n) {
            at.x = origin.x;
            at.y = origin.y + length * static_cast<float>(i);
        } else if (2 * i < n) {
            at.x = origin.x + length * static_cast<float>(i - q);
            at.y = top;
        } else if (4 * i < 3 * n) {
            at.x = origin.x + length * static_cast<float>(q);
            at.y = origin.y + length * (threeQuarters - static_cast<float>(i));
        } else {
            at.x = origin.x + length * static_cast<float>(n - i);
            at.y = origin.y;
        }
    }
    for (const auto& link : links) {
        link->fitSprite();
    }
}

void Chain::step(const GearList& gears, float dt) {
    beginStep(gears, dt);
    runPasses();
    endStep();
}

void Chain::beginStep(const GearList& gears, float dt) {
    for (const auto& owned : gears) {
        Gear* gear = owned.get();
        if (gear->lifted) {
            continue;
        }
        captureContacts(gear);
        if (gear->isMotor() && !gear->held) {
            for (const auto& link : links) {
                if (distanceSquared(gear->position, link->position) <= gear->radiusSquared) {
                    drives.push_back(makeDrive(gear, link.get(), dt));
                }
            }
        }
    }
    bindTrackedPoints();
}

void Chain::runPasses() {
    const int passes = passCount();
    for (int pass = 0; pass < passes; ++pass) {
        relaxLinks(pass);
        if (grabbed != nullptr) {
            grabbed->position = grabTarget;
        }
        keepPointsOnBoard();
        for (const auto& contact : contacts) {
            contact->resolve();
        }
        for (LinkDrive& drive : drives) {
            drive.apply();
        }
    }
}

void Chain::endStep() {
    lapseContacts();
    // The drives name links, which editing between frames may destroy; the storage stays.
    drives.clear();
    for (const auto& link : links) {
        link->fitSprite();
    }
}

void Chain::captureContacts(Gear* gear) {
    const float reach = gear->radiusSquared * CAPTURE_FACTOR;
    for (const auto& point : points) {
        if (distanceSquared(point->position, gear->position) < reach && !point->touches(gear)) {
            if (spareContacts.empty()) {
                contacts.push_back(std::make_unique<Contact>());
            } else {
                contacts.push_back(std::move(spareContacts.back()));
                spareContacts.pop_back();
            }
            *contacts.back() = Contact{point.get(), gear, CONTACT_LIFE};
            point->touching.push_back(gear);
        }
    }
}

// A gear keeps the first point bound to it in a frame: the earliest of its contacts in the
// first chain stepped. Its update turns it by that point's travel and releases it.
void Chain::bindTrackedPoints() {
    for (const auto& contact : contacts) {
        Gear* gear = contact->gear;
        if (gear->trackedPoint == nullptr) {
            gear->trackedPoint = contact->point;
            gear->trackedStart = contact->point->position;
        }
    }
}

int Chain::passCount() const {
    return static_cast<int>(std::clamp<std::size_t>(links.size(), 1, MAX_PASSES));
}

// The hot loop of the simulation: up to 150 passes over every link per frame, each link a
// division that depends on the one before. Consecutive links share a point (link i's a is link
// i-1's b), so the end just written is carried in registers into the next link instead of being
// read back from memory. Every end is still stored after every link, so the results are those
// of calling satisfy() link by link. A link that did not continue its neighbour (a closed chain
// has none) sends the rest of the pass through satisfy(); it must be an exit, not a select, or
// the compiler picks the carried value's address and the carry goes through memory again.
void Chain::relaxLinks(int pass) {
    const std::size_t n = links.size();
    if (n == 0) {
        return;
    }
    if (pass % 2 == 0) {
        const Point* carried = links[n - 1]->b;
        Vec3 carriedAt = carried->position;
        for (std::size_t i = n; i-- > 0;) {
            Link& link = *links[i];
            if (link.b != carried) {
                for (std::size_t rest = i + 1; rest-- > 0;) {
                    links[rest]->satisfy();
                }
                return;
            }
            Vec3 a = link.a->position;
            Vec3 b = carriedAt;
            relaxDistance(a, b, link.lengthSquared);
            link.a->position = a;
            link.b->position = b;
            carried = link.a;
            carriedAt = a;
        }
    } else {
        const Point* carried = links[0]->a;
        Vec3 carriedAt = carried->position;
        for (std::size_t i = 0; i < n; ++i) {
            Link& link = *links[i];
            if (link.a != carried) {
                for (std::size_t rest = i; rest < n; ++rest) {
                    links[rest]->satisfy();
                }
                return;
            }
            Vec3 a = carriedAt;
            Vec3 b = link.b->position;
            relaxDistance(a, b, link.lengthSquared);
            link.a->position = a;
            link.b->position = b;
            carried = link.b;
            carriedAt = b;
        }
    }
}

void Chain::keepPointsOnBoard() {
    for (const auto& point : points) {
        Vec3& at = point->position;
        if (at.x < -BOARD_HALF_WIDTH) {
            at.x = -BOARD_HALF_WIDTH;
        }
        if (at.x > BOARD_HALF_WIDTH) {
            at.x = BOARD_HALF_WIDTH;
        }
        if (at.y < -BOARD_HALF_HEIGHT) {
            at.y = -BOARD_HALF_HEIGHT;
        }
        if (at.y > BOARD_HALF_HEIGHT) {
            at.y = BOARD_HALF_HEIGHT;
        }
    }
}

// A contact lapses after CONTACT_LIFE passes in a row without its point inside the gear; the
// count carries over from one step to the next.
void Chain::lapseContacts() {
    removeContactsWhere([](const Contact& contact) { return contact.life <= 0; });
}

void Chain::draw() {
    drawLinkBatch(oddLinks, evenLinks);
}

bool Chain::hitTest(Vec3 q) const {
    for (const auto& link : links) {
        if (link->hitTest(q)) {
            return true;
        }
    }
    return false;
}

void Chain::removeGearContacts(const Gear* gear) {
    removeContactsWhere([gear](const Contact& contact) { return contact.gear == gear; });
}
