#include "replay/state_dump.h"

#include "app/shell.h"
#include "modes/live_mode.h"
#include "modes/start_state.h"

namespace {

const char* boolText(bool value) {
    return value ? "true" : "false";
}

// Writes "name": value pairs, with the commas between them.
class JsonObject {
  public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    std::string& key(const char* name) {
        if (!first_) {
            out_ += ',';
        }
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
        return out_;
    }
    void number(const char* name, float value) { key(name) += formatNumber(value); }
    void integer(const char* name, long long value) { key(name) += std::to_string(value); }
    void boolean(const char* name, bool value) { key(name) += boolText(value); }
    void text(const char* name, const char* value) {
        key(name) += '"';
        out_ += value;
        out_ += '"';
    }

  private:
    std::string& out_;
    bool first_ = true;
};

void dumpGear(std::string& out, const Gear& gear) {
    JsonObject object(out);
    object.number("x", gear.position.x);
    object.number("y", gear.position.y);
    object.number("rotation", gear.rotation);
    object.number("radius", gear.radius);
    object.number("speed", gear.speed);
    object.boolean("motor", gear.isMotor());
    object.boolean("held", gear.held);
    object.boolean("lifted", gear.lifted);
}

long long grabbedIndex(const Chain& chain) {
    for (std::size_t i = 0; i < chain.points.size(); ++i) {
        if (chain.points[i].get() == chain.grabbed) {
            return static_cast<long long>(i);
        }
    }
    return -1;
}

void dumpChain(std::string& out, const Chain& chain) {
    JsonObject object(out);
    object.number("tension", chain.tension());
    object.integer("grabbed", grabbedIndex(chain));
    object.integer("contacts", static_cast<long long>(chain.contacts.size()));
    std::string& points = object.key("points");
    points += '[';
    for (std::size_t i = 0; i < chain.points.size(); ++i) {
        const Vec3& position = chain.points[i]->position;
        points += i == 0 ? "[" : ",[";
        points += formatNumber(position.x);
        points += ',';
        points += formatNumber(position.y);
        points += ']';
    }
    points += ']';
}

void dumpLive(JsonObject& object, std::string& out) {
    const ToolBar* bar = liveMode.toolBar.get();
    if (bar != nullptr) {
        object.integer("tool", bar->tool);
        object.boolean("power", liveMode.powerOn());
        object.integer("pressed", bar->pressed);
        object.number("barY", bar->position.y);
        object.number("slideRate", bar->slide->rate);
    }
    object.integer("dragMode", liveMode.dragMode);
    object.boolean("light", liveMode.lightOn());
    object.key("cursor");
    {
        JsonObject cursor(out);
        cursor.number("x", liveMode.cursor.position.x);
        cursor.number("y", liveMode.cursor.position.y);
        cursor.number("frame", liveMode.cursor.texOffset.u * 4.0f);
        cursor.boolean("glow", !liveMode.cursorGlow.hidden);
    }
    object.key("gears") += '[';
    for (std::size_t i = 0; i < liveMode.board.gears.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        dumpGear(out, *liveMode.board.gears[i]);
    }
    out += ']';
    object.key("chains") += '[';
    for (std::size_t i = 0; i < liveMode.board.chains.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        dumpChain(out, *liveMode.board.chains[i]);
    }
    out += ']';
}

}  // namespace

std::string dumpState() {
    std::string out;
    {
        JsonObject object(out);
        if (currentState == &liveMode) {
            object.text("mode", "live");
            dumpLive(object, out);
        } else if (currentState == &startState) {
            object.text("mode", "start");
            object.boolean("instructions", startState.instructionsShown != 0);
        } else {
            object.text("mode", currentState == nullptr ? "none" : currentState->name);
        }
    }
    return out;
}
