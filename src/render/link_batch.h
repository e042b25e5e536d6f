#pragma once

#include <vector>

class Link;

// Draws the links of `under`, then those of `over`, each as Sprite::draw would, but a run of
// links with the same picture, tint and blending as one vertex array: the corners are placed
// here as the sprite's matrices would place them (translate, turn, translate, scale), so the
// pixels stay the same while a software renderer's per-quad cost is paid once per run. A link
// unlike its run (hidden, tinted, with a texture transform or its own geometry) is drawn on
// its own, in its place.
void drawLinkBatch(const std::vector<Link*>& under, const std::vector<Link*>& over);
