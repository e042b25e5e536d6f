#pragma once

// Counts of GL calls made by the code under test. The test binary defines these GL entry
// points itself, counts each call and forwards it to the real GL (OSMesa), so the counts
// come from real drawing.
struct GlCalls {
    int bindTexture = 0;
    int enable = 0;
    int disable = 0;
    int blendFunc = 0;
    int pushMatrix = 0;
    int popMatrix = 0;
    int callList = 0;
    int color = 0;
    int matrixMode = 0;
    int translate = 0;

    int total() const {
        return bindTexture + enable + disable + blendFunc + pushMatrix + popMatrix + callList +
               color + matrixMode + translate;
    }
};

extern GlCalls glCalls;
