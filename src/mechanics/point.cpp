#include "mechanics/point.h"

#include <algorithm>

bool Point::touches(const Gear* gear) const {
    return std::find(touching.begin(), touching.end(), gear) != touching.end();
}

void Point::stopTouching(const Gear* gear) {
    const auto found = std::find(touching.begin(), touching.end(), gear);
    if (found != touching.end()) {
        touching.erase(found);
    }
}
