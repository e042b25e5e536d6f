#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "mechanics/board_lists.h"
#include "mechanics/contact.h"
#include "mechanics/link.h"
#include "mechanics/point.h"
#include "mechanics/vec3.h"

// A point gains a contact with a gear within sqrt(1.25) (about 1.118) radii of its centre.
constexpr float CAPTURE_FACTOR = 1.25f;
// Relaxation passes per step: one per link, at most this many.
constexpr int MAX_PASSES = 150;

// A closed chain: a loop of points joined by links of one rest length, laid out as a square
// when made. Each step makes contacts with nearby gears, lets running motors pull the links on
// their discs, relaxes the constraints many times (a position-only particle system: no
// velocity, mass or damping), pins the grabbed point to the pointer, keeps the points on the
// board and out of the gears they touch, and lays every link picture along its points.
//
// Invariants: as many points as links; link i's a is link i-1's b and the last link's b is
// the first link's a; every link is in exactly one of oddLinks and evenLinks; a contact
// (p, g) exists exactly when g is in p's touching list; grabbed is none or one of points.
class Chain {
  public:
    // count is rounded down to an even number of points (46 -> 46, 41 -> 40, 1 -> none).
    Chain(int count, float linkLength, Vec3 origin);
    ~Chain();
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    // Lays the links out again as the square of the constructor, from origin: up, right
    // along the top, down the right side, back left along the bottom. Contacts and the pin
    // stay.
    void layout();

    // One frame against the board's gears (read in list order); dt in seconds. It is the
    // three parts below in a row; the board runs the middle part of many chains together.
    void step(const GearList& gears, float dt);
    // Contacts with the gears near the points, the drives of the running motors, and the
    // gears' tracked points.
    void beginStep(const GearList& gears, float dt);
    // Every relaxation pass: the links, the pin, the board edge, the contacts, the drives.
    void runPasses();
    // Lapsed contacts go; the link pictures are laid along their points.
    void endStep();

    // The links, odd positions first, so that even links lie on top of their neighbours.
    void draw();

    // Whether board point q lies on any link.
    bool hitTest(Vec3 q) const;

    // Forgets every contact with gear; afterwards nothing in this chain refers to it.
    void removeGearContacts(const Gear* gear);

    // The relaxation: passes per step, and one pass of every link's constraint. Even passes
    // run from the last link to the first, odd ones from the first to the last: alternating
    // the direction keeps a sweep from dragging the whole loop one way. step uses these; the
    // benchmark measures them.
    int passCount() const;
    void relaxLinks(int pass);

    // Measures (chain_measures.cpp).
    // Ten times the mean link's relative excess over the rest length: 0 at rest, 1 when the
    // links are 10 % too long on average.
    float tension() const;
    // A unit vector from the gear's centre towards the links that cross its disc, or zero.
    Vec3 pullDirection(const Gear& gear) const;
    // Distance from point to the nearest chain point.
    float nearestPointDistance(Vec3 point) const;

    // Editing between frames (chain_editing.cpp).
    // Pins the nearer end of the first link under q to q; false (and no change) if none.
    bool grab(Vec3 q);
    // Six links and points more, folded over the first link. Needs at least two links.
    void lengthen();
    // Six links and points fewer, those right after the first link, if there are at least
    // 12 links; whether it did.
    bool shorten();
    // Forgets every contact of point.
    void removePointContacts(const Point* point);

    float linkLength;
    Vec3 origin;            // lower left corner of the laid-out square
    const char* linkImage;  // the picture of every link (a texture cache key)
    std::vector<std::unique_ptr<Point>> points;
    std::vector<std::unique_ptr<Link>> links;  // chain order
    std::vector<Link*> oddLinks;               // links made at odd positions: drawn first
    std::vector<Link*> evenLinks;              // links made at even positions: drawn on top
    Point* grabbed = nullptr;                  // pinned to grabTarget in every pass
    Vec3 grabTarget;
    std::vector<std::unique_ptr<Contact>> contacts;
    // This step's drives, in the order made; the storage is kept from step to step.
    std::vector<LinkDrive> drives;

  private:
    void captureContacts(Gear* gear);
    void bindTrackedPoints();
    void keepPointsOnBoard();
    void lapseContacts();
    // Detaches every contact for which matches(contact) holds and keeps it for reuse in
    // spareContacts; the others keep their order. One walk, however many go.
    template <class Matches>
    void removeContactsWhere(Matches matches);
    // A link of this chain's length between a and b, with the chain's picture.
    std::unique_ptr<Link> makeLink(Point* a, Point* b) const;

    // Removed contacts, reused by captureContacts: points enter and leave the gears all the
    // time, and a steady frame should not allocate.
    std::vector<std::unique_ptr<Contact>> spareContacts;
};

template <class Matches>
void Chain::removeContactsWhere(Matches matches) {
    auto kept = contacts.begin();
    for (auto walk = contacts.begin(); walk != contacts.end(); ++walk) {
        if (matches(**walk)) {
            (*walk)->detach();
            spareContacts.push_back(std::move(*walk));
        } else {
            if (kept != walk) {
                *kept = std::move(*walk);
            }
            ++kept;
        }
    }
    contacts.erase(kept, contacts.end());
}
