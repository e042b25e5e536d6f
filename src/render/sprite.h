#pragma once

#include "mechanics/vec3.h"

struct Texture;

struct Color {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;
};

struct TexVec {
    float u = 0.0f;
    float v = 0.0f;
};

// The base of everything drawn: one textured, tinted unit quad, placed by a translation, a
// rotation about the screen axis, a second translation (which turns with the sprite) and a
// scale. All sprites share one quad (unit_quad.h). Drawing remembers the texture binding and the
// blending it last set, so runs of sprites with the same picture cost no state changes.
//
// The destructor is virtual: the tool bar owns plain sprites, and clang asks that a class with
// virtual functions be destroyed through a virtual one. A sprite holds one reference on its
// texture; copies share the pointer without taking another reference (a surplus release is
// harmless, counts stop at 0).
class Sprite {
  public:
    Sprite();
    Sprite(const Sprite&) = default;
    Sprite& operator=(const Sprite&) = default;
    virtual ~Sprite();

    virtual void draw();

    // Releases the current texture (if any) and takes one reference on the picture at path.
    void setTexture(const char* path);

    // The tool bar's slide animates the bar's height through this setter.
    void setPositionY(float y) { position.y = y; }

    // The texture binding and blending of draw, through the remembered state: for drawing
    // many sprites of one picture in one call (link_batch.h).
    void usePicture();

    // Builds the shared unit quad; a no-op without a GL context (the quad stays 0).
    static void buildUnitQuad();

    // A texture load binds outside the remembered state; this makes the next sprite bind
    // its own texture again, whatever it is.
    static void forgetBoundTexture();
    // For a new GL context: texturing and blending switched off, so that the next sprite
    // switches on and binds what it needs, whatever the remembered state said.
    static void forgetDrawingState();

    Vec3 position;
    Vec3 offset;
    Vec3 scale{1.0f, 1.0f, 1.0f};
    float rotation = 0.0f;  // degrees, counter-clockwise about +z
    Color color;
    bool blend = true;
    bool hidden = false;
    TexVec texOffset;
    TexVec texScale{1.0f, 1.0f};
    bool texTransform = false;
    Texture* texture = nullptr;
    unsigned displayList = 0;

  private:
    void applyState();
};

// State shared by every sprite's drawing.
extern unsigned unitQuad;  // the shared quad's display list; 0 until built
extern int boundTexture;   // GL name sprite drawing last bound; -1: texturing switched off
extern bool blendEnabled;  // blending as sprite drawing last set it
