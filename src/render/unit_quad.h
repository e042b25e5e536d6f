#pragma once

// The geometry every sprite draws: a unit quad centred on its origin, wound counter-clockwise
// seen from +z, with t = 0 along its top edge (pictures upload top row first). Where GL has
// display lists the quad is compiled into one that every sprite shares (unit_quad.cpp); WebGL's
// emulation of GL 1.x has none, so there the name stands for the quad itself and drawing it
// sends its four corners (unit_quad_web.cpp).

// Corners in drawing order: bottom left, bottom right, top right, top left.
constexpr float UNIT_QUAD_TEX_COORDS[4][2] = {
    {0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
constexpr float UNIT_QUAD_VERTICES[4][3] = {
    {-0.5f, -0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {0.5f, 0.5f, 0.0f}, {-0.5f, 0.5f, 0.0f}};

// A name for the quad, or 0 while there is no current GL context (nothing can be built yet).
unsigned buildUnitQuadList();
// The quad again under the same name, in a new GL context that took the place of the one it
// was built in (the sprites keep the name they were given).
void rebuildUnitQuadList(unsigned name);
// Draws the geometry a sprite names (a display list, or the unit quad's name).
void drawGeometry(unsigned name);
