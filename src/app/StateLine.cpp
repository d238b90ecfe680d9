#include "app/StateLine.h"

#include <algorithm>
#include <cstdio>

#include "app/Game.h"

namespace {

std::string Fixed(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
        const size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

}  // namespace

std::string AnimationName(const AnimationSet& anim) {
    for (const auto& entry : anim.AnimationIndex())
        if (entry.second == anim.currentAnimation) return entry.first;
    return "";
}

FrameState CaptureFrameState(const Game& game, std::vector<SoundRequest> sounds) {
    FrameState state;
    state.frame = game.frameCounter;
    state.sounds = std::move(sounds);
    state.stage = game.world.stageName;
    state.phase = game.flow.phase;
    state.fade = game.fade.level;
    state.inputEnabled = game.flow.inputEnabled;
    state.frozen = game.flow.frozen;
    state.gauge = game.player.shownHealth;
    for (const auto& entry : game.world.lists)
        if (!entry.second.empty())
            state.objects[entry.first] = static_cast<int>(entry.second.size());
    if (!game.world.Hero()) return state;
    const GameObject& hero = *game.world.Hero();
    state.position = hero.position;
    state.velocity = hero.velocity;
    state.animation = AnimationName(hero.anim);
    state.animationFrame = hero.anim.currentFrame;
    state.direction = hero.direction;
    state.airborne = hero.airborne;
    state.speed = hero.speed;
    state.dashTimer = hero.dashTimer;
    state.dashJump = hero.dashJump;
    state.wallState = hero.wallState;
    state.counter = hero.counter;
    state.fireTimer = hero.fireTimer;
    state.paletteRow = hero.anim.PaletteRow();
    state.health = hero.health;
    state.hurtTimer = hero.hurtTimer;
    state.visible = hero.visible;
    return state;
}

std::string FormatObjectList(const Game& game, const std::string& category) {
    std::string line = "frame " + std::to_string(game.frameCounter) + " objects " + category;
    auto list = game.world.lists.find(category);
    if (list == game.world.lists.end()) return line;
    for (const GameObject& obj : list->second)
        line += " " + obj.name + "@" + Fixed(obj.position.x) + "," + Fixed(obj.position.y);
    return line;
}

std::string FormatFrameState(const FrameState& s) {
    std::string line = "frame " + std::to_string(s.frame);
    if (!s.running) line += " quit";
    line += " pos " + Fixed(s.position.x) + "," + Fixed(s.position.y);
    line += " vel " + Fixed(s.velocity.x) + "," + Fixed(s.velocity.y);
    line += " anim " + (s.animation.empty() ? std::string("-") : s.animation) + ":" +
            std::to_string(s.animationFrame);
    line += " dir " + std::to_string(s.direction);
    line += " air " + std::to_string(s.airborne);
    line += " speed " + Fixed(s.speed);
    line += " dash " + std::to_string(s.dashTimer) + (s.dashJump ? "j" : "");
    line += " wall " + std::to_string(s.wallState);
    line += " counter " + std::to_string(s.counter);
    line += " fire " + std::to_string(s.fireTimer);
    line += " palette " + std::to_string(s.paletteRow);
    line += " health " + Fixed(s.health);
    line += " gauge " + Fixed(s.gauge);
    line += " hurt " + std::to_string(s.hurtTimer);
    line += s.visible ? " visible" : " hidden";
    line += " |";
    for (const auto& entry : s.objects)
        line += " " + entry.first + " " + std::to_string(entry.second);
    line += " | sounds";
    for (const SoundRequest& request : s.sounds)
        line += " " + request.name + "@" + std::to_string(request.channel) +
                (request.loops ? "x" + std::to_string(request.loops) : "");
    line += " | stage " + (s.stage.empty() ? std::string("-") : s.stage);
    line += " phase " + std::to_string(s.phase);
    line += " fade " + Fixed(s.fade);
    line += s.inputEnabled ? " input 1" : " input 0";
    line += s.frozen ? " frozen 1" : " frozen 0";
    return line;
}

std::string StateMismatch(const FrameState& s, const std::string& expect) {
    const std::string line = FormatFrameState(s);
    const std::vector<std::string> words = Words(line);
    std::map<std::string, std::string> fields;
    std::vector<std::string> sounds;
    int section = 0;  // hero fields, lists, sounds, stage flow
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "|") {
            ++section;
            if (section == 2) ++i;  // "sounds"
        } else if (section == 2) {
            sounds.push_back(w);
        } else if (w == "visible" || w == "hidden" || w == "quit") {
            fields[w] = "";
        } else if (i + 1 < words.size()) {
            fields[(section == 1 ? "#" : "") + w] = words[i + 1];
            ++i;
        }
    }
    const std::vector<std::string> wanted = Words(expect);
    for (size_t i = 0; i < wanted.size(); ++i) {
        const std::string& w = wanted[i];
        bool ok = true;
        if (w[0] == '+' || w[0] == '-') {
            bool found = false;
            for (const std::string& sound : sounds) {
                const std::string name = w.substr(1);
                found = found || sound == name || sound.rfind(name + "x", 0) == 0 ||
                        (w[0] == '-' && sound.rfind(name + "@", 0) == 0);
            }
            ok = found == (w[0] == '+');
        } else if (w == "visible" || w == "hidden" || w == "quit") {
            ok = fields.count(w) != 0;
        } else if (i + 1 < wanted.size()) {
            std::string value = fields.count(w) ? fields[w] : (w[0] == '#' ? "0" : "?");
            const std::string& want = wanted[++i];
            if (w == "anim" && want.find(':') == std::string::npos)
                value = value.substr(0, value.find(':'));
            const size_t comma = want.find(',');
            if (comma != std::string::npos && want.find('?') != std::string::npos) {
                // "106.00,?" or "?,132.00": one coordinate only
                const size_t at = value.find(',');
                const bool x = want.substr(0, comma) != "?";
                ok = at != std::string::npos &&
                     (x ? value.substr(0, at) == want.substr(0, comma)
                        : value.substr(at + 1) == want.substr(comma + 1));
            } else {
                ok = value == want;
            }
        } else {
            ok = false;
        }
        if (!ok) return "\"" + w + "\"";
    }
    return "";
}
