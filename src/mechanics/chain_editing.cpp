#include <algorithm>

#include "mechanics/chain.h"

namespace {
template <class T>
void eraseFirst(std::vector<T*>& list, const T* item) {
    const auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) {
        list.erase(found);
    }
}
}  // namespace

bool Chain::grab(Vec3 q) {
    for (const auto& link : links) {
        if (!link->hitTest(q)) {
            continue;
        }
        const float toA = distanceSquared(link->a->position, q);
        const float toB = distanceSquared(link->b->position, q);
        grabbed = toB > toA ? link->a : link->b;
        grabTarget = q;
        return true;
    }
    return false;
}

void Chain::lengthen() {
    if (links.size() < 2) {
        return;
    }
    // Three times: two new points on the ends of the first link and two links through them,
    // folded back and forth over the first link; the following steps pull them out.
    for (int round = 0; round < 3; ++round) {
        Point* const first = links[0]->a;
        Point* const second = links[0]->b;
        points.push_back(std::make_unique<Point>());
        Point* const p1 = points.back().get();
        p1->position = first->position;
        points.push_back(std::make_unique<Point>());
        Point* const p2 = points.back().get();
        p2->position = second->position;

        std::unique_ptr<Link> toP1 = makeLink(second, p1);
        std::unique_ptr<Link> toP2 = makeLink(p1, p2);
        links[1]->a = p2;
        toP1->fitSprite();
        toP2->fitSprite();
        oddLinks.push_back(toP1.get());
        evenLinks.push_back(toP2.get());
        links.insert(links.begin() + 1, std::move(toP2));
        links.insert(links.begin() + 1, std::move(toP1));
    }
}

bool Chain::shorten() {
    constexpr int REMOVED = 6;
    if (links.size() < 2 * REMOVED) {
        return false;
    }
    for (int i = 1; i <= REMOVED; ++i) {
        Link* const link = links[i].get();
        eraseFirst(evenLinks, link);
        eraseFirst(oddLinks, link);
        Point* const end = link->b;
        const auto found = std::find_if(points.begin(), points.end(),
                                        [end](const auto& point) { return point.get() == end; });
        if (found != points.end()) {
            removePointContacts(end);
            // The pin must not outlive its point; a drag in progress goes on without it.
            if (grabbed == end) {
                grabbed = nullptr;
            }
            points.erase(found);
        }
        links[i].reset();
    }
    links.erase(links.begin() + 1, links.begin() + 1 + REMOVED);
    links[1]->a = links[0]->b;
    return true;
}

void Chain::removePointContacts(const Point* point) {
    removeContactsWhere([point](const Contact& contact) { return contact.point == point; });
}
