#include "ui/tool_bar.h"

#include <GL/gl.h>

#include "app/platform.h"
#include "audio/sound.h"
#include "audio/sound_names.h"
#include "render/asset_paths.h"

namespace {

constexpr float PLAIN_FRAME = 0.0f;
constexpr float LIT_FRAME = 0.5f;
constexpr float POWER_ON_FRAME = 0.0f;
constexpr float POWER_OFF_FRAME = 0.5f;
// The ease: half a cosine wave over the slide, so the bar starts and stops gently.
constexpr float SLIDE_PERIOD = 1.5f;
constexpr float SLIDE_PHASE = -1.5707950592041016f;

struct ButtonPlace {
    float size;
    float x;
    float y;
    const char* image;
};

// Bar coordinates, relative to the bar's centre; button i selects tool i.
constexpr ButtonPlace BUTTON_PLACES[tools::COUNT] = {
    {48, -135, 35, BLUE_BUTTON_IMAGE},  {32, -30, 40, GREEN_BUTTON_IMAGE},
    {32, 15, 40, GREEN_BUTTON_IMAGE},   {32, 60, 40, GREEN_BUTTON_IMAGE},
    {32, 102, 40, GREEN_BUTTON_IMAGE},  {32, -30, -67, GREEN_BUTTON_IMAGE},
    {32, 15, -67, GREEN_BUTTON_IMAGE},  {32, 60, -67, GREEN_BUTTON_IMAGE},
    {32, 105, -67, GREEN_BUTTON_IMAGE}, {32, -163, -67, RED_BUTTON_IMAGE},
    {32, -103, -67, RED_BUTTON_IMAGE},
};

}  // namespace

ToolBar::ToolBar() {
    setTexture(TOOLS_IMAGE);
    scale = {512.0f, 256.0f, 1.0f};
    position = {0.0f, LOWERED_Y, 0.0f};

    slide = std::make_unique<BlendInterval<Sprite, float>>(SLIDE_TIME, 1);
    slide->target = this;
    slide->setter = &Sprite::setPositionY;
    slide->fromCurrent = false;
    slide->from = LOWERED_Y;
    slide->to = RAISED_Y;
    slide->evaluator = new SineEvaluator(SLIDE_PERIOD, SLIDE_PHASE);
    slide->rate = -1.0f;

    for (const ButtonPlace& place : BUTTON_PLACES) {
        addButton(place.size, place.x, place.y, place.image);
    }

    powerSwitch.setTexture(SWITCH_IMAGE);
    powerSwitch.scale = {32.0f, 78.0f, 1.0f};
    powerSwitch.position = {172.0f, -30.0f, 0.0f};
    powerSwitch.texTransform = true;
    powerSwitch.texScale.u = 0.5f;
    powerSwitch.texOffset.u = POWER_ON_FRAME;

    selectTool(tools::Move);
    pressed = -1;
}

ToolBar::~ToolBar() {
    buttons.clear();  // each button releases its picture
    slide.reset();    // and its evaluator with it
}

void ToolBar::addButton(float size, float x, float y, const char* imagePath) {
    auto button = std::make_unique<Sprite>();
    button->scale = {size, size, size};
    button->position = {x, y, 0.0f};
    button->setTexture(imagePath);
    button->texTransform = true;
    button->texScale.u = 0.5f;
    buttons.push_back(std::move(button));
}

void ToolBar::draw() {
    Sprite::draw();
    glPushMatrix();
    glTranslatef(position.x, position.y, 0.0f);
    for (const auto& button : buttons) {
        button->draw();
    }
    powerSwitch.draw();
    glPopMatrix();
}

bool ToolBar::boxContains(const Sprite& sprite, Vec3 point) {
    const Vec3 half = sprite.scale * 0.5f;
    const Vec3 lower = sprite.position - half;
    const Vec3 upper = sprite.position + half;
    return lower.x <= point.x && point.x <= upper.x && lower.y <= point.y && point.y <= upper.y &&
           lower.z <= point.z && point.z <= upper.z;
}

int ToolBar::buttonAt(Vec3 local) const {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (boxContains(*buttons[i], local)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ToolBar::selectTool(int index) {
    tool = index;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->texOffset.u = static_cast<int>(i) == index ? LIT_FRAME : PLAIN_FRAME;
    }
}

bool ToolBar::hover(Vec3 point, bool busy) {
    const Vec3 local = point - position;
    if (pressed >= 0) {
        // A pressed button lights while the pointer is on it, unless it is the current tool.
        Sprite& button = *buttons[pressed];
        const bool lit = pressed == tool || boxContains(button, local);
        button.texOffset.u = lit ? LIT_FRAME : PLAIN_FRAME;
    }
    const bool onBar = boxContains(*this, point);
    if (tool == tools::Move && !onBar && slide->rate > 0.0f) {
        slide->rate = -1.0f;  // a slide in progress simply turns back
        if (slide->finished) {
            slide->start();
        }
        return false;
    }
    if (!busy && onBar && slide->rate < 0.0f) {
        slide->rate = 1.0f;
        if (slide->finished) {
            slide->start();
        }
    }
    return onBar;
}

void ToolBar::mouseButton(int button, int state, Vec3 point) {
    const Vec3 local = point - position;
    if (button == platform::MOUSE_RIGHT) {
        if (state == platform::BUTTON_UP && tool != tools::Move) {
            selectTool(tools::Move);
        }
        return;
    }
    if (button != platform::MOUSE_LEFT) {
        return;
    }
    if (state == platform::BUTTON_DOWN) {
        pressed = buttonAt(local);
        if (pressed >= 0) {
            buttons[pressed]->texOffset.u = LIT_FRAME;
            Sound::instance()->play(BUTTON_SOUND);
        }
        if (boxContains(powerSwitch, local)) {
            togglePower();  // the switch acts on the press
        }
        return;
    }
    // Release: a tool is chosen only where it was pressed; otherwise the frames go back to
    // the current selection.
    if (pressed >= 0 && boxContains(*buttons[pressed], local)) {
        selectTool(pressed);
    } else {
        selectTool(tool);
    }
    pressed = -1;
}

void ToolBar::togglePower() {
    Sound* sound = Sound::instance();
    sound->play(BUTTON_SOUND);
    // Both motor sounds stop first, so switching quickly never leaves both playing.
    sound->stopSound(MOTOR_START_SOUND);
    sound->stopSound(MOTOR_STOP_SOUND);
    if (powerOn()) {
        sound->play(MOTOR_STOP_SOUND);
        powerSwitch.texOffset.u = POWER_OFF_FRAME;
    } else {
        sound->play(MOTOR_START_SOUND);
        powerSwitch.texOffset.u = POWER_ON_FRAME;
    }
}
