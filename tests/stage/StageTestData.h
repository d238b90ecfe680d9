// Stage test data: ".rmap" files composed byte by byte, a data tree with a
// 256 x 512 tileset and its state table, a Game working in that tree, and
// ways to lay collision cells straight into the World's stage.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Game.h"
#include "render/AnimationSet.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace stagetest {

// Little-endian bytes of a stage file, in the order the loader reads them.
class Rmap {
public:
    Rmap& Raw(const std::string& bytes) {
        out_ += bytes;
        return *this;
    }
    Rmap& U8(unsigned v) {
        out_.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Rmap& U16(unsigned v) { return U8(v).U8(v >> 8); }
    Rmap& U32(uint32_t v) { return U8(v).U8(v >> 8).U8(v >> 16).U8(v >> 24); }
    Rmap& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }

    // "RMAP", five bytes the loader ignores, the zero byte 9, the tileset name
    // with its terminator and the layer count.
    Rmap& Header(const std::string& tileset, uint32_t layers) {
        return Raw("RMAP").Raw("\x07\x07\x07\x07\x07").U8(0).Raw(tileset + "\n").U32(layers);
    }
    // A layer of kind with rows of codes (all rows the same length).
    Rmap& Layer(unsigned kind, const std::vector<std::vector<int>>& rows) {
        const uint32_t height = static_cast<uint32_t>(rows.size());
        const uint32_t width = height ? static_cast<uint32_t>(rows[0].size()) : 0;
        U8(kind).U32(width).U32(height);
        for (const auto& row : rows)
            for (int code : row) U16(static_cast<unsigned>(code));
        return *this;
    }
    // A layer of width x height cells all holding code.
    Rmap& FilledLayer(unsigned kind, int width, int height, int code) {
        return Layer(kind, std::vector<std::vector<int>>(height, std::vector<int>(width, code)));
    }
    Rmap& Zone(int flags, int32_t x, int32_t y, int32_t w, int32_t h) {
        return U8(static_cast<unsigned>(flags)).I32(x).I32(y).I32(w).I32(h);
    }
    // Enemy type count, the names separated by spaces and the separator byte.
    Rmap& Types(const std::vector<std::string>& names) {
        I32(static_cast<int32_t>(names.size()));
        for (size_t i = 0; i < names.size(); ++i) Raw(i ? " " : "").Raw(names[i]);
        return U8('\n');
    }
    Rmap& Placement(int32_t type, int32_t x, int32_t y) { return I32(type).I32(x).I32(y); }

    const std::string& Bytes() const { return out_; }

private:
    std::string out_;
};

// 512 states: code 2 solid, 3..6 the right-edge slope, 7 its continuation
// above, 10..13 the left-edge slope, 14 its continuation above, the rest
// passable; laid out 32 to a line.
inline std::string TestStates() {
    std::string states(512, '0');
    states.replace(0, 15, "0013456200ABCDZ");
    std::string text;
    for (size_t i = 0; i < states.size(); i += 32) text += states.substr(i, 32) + "\n";
    return text;
}

// The sprite description used for test objects: 64 x 64 frames with the
// hero's box, and every animation the collision code may switch to.
inline const char* kBoxAnim =
    "64 64 24 22 40 60\nStand 1 0 0\nLand 1 0 0\nWalk 1 0 0\nDash 1 0 0\nDashEnd 1 0 0\n";

// A Game working in a fresh data tree that holds the tileset "Tiles\Test"
// (256 x 512, states as above) and the sprite set "Box" in every category
// folder. Sounds are logged.
class StageTest : public testing::Test {
protected:
    StageTest() : root_(MakeTempDir("stage")) {
        WritePng(root_ + "/data/img/Tiles/Test.png", TestImage(256, 512, 0x808080FFu));
        WriteFile(root_ + "/data/Objects/Tiles/Test.anim", "16 16 0 0 16 16\n");
        WriteFile(root_ + "/data/objects/Tiles/Test States.txt", TestStates());
        for (const char* set : {"Enemies/Box", "Player/Box", "Effects/Box", "Items/Box", "Box"}) {
            WriteFile(root_ + "/data/Objects/" + set + ".anim", kBoxAnim);
            WritePng(root_ + "/data/img/" + set + ".png", TestImage(64, 320));
        }
        cwd_.reset(new ScopedWorkingDirectory(root_));
        game_.reset(new Game());
        world().sounds.log = &sounds;
    }

    Game& game() { return *game_; }
    World& world() { return game_->world; }
    StageMap& stage() { return game_->world.stage; }
    const std::string& root() const { return root_; }

    void WriteStage(const std::string& name, const std::string& bytes) {
        WriteFile(root_ + "/data/Stages/" + name + ".rmap", bytes);
    }

    // A box object ("Enemies\Box": box 24, 22 - 40, 60) at (x, y).
    GameObject& Box(float x, float y, const std::string& category = "Enemies") {
        GameObject& o = *world().CreateObjectInCategory("Box", 0, category);
        o.position = Vector2(x, y);
        return o;
    }

    // A main layer of width x height empty cells and no collision cells.
    void EmptyStage(int width, int height) {
        stage().mainLayer = TileLayer();
        stage().mainLayer.width = width;
        stage().mainLayer.height = height;
        stage().mainLayer.tiles.assign(static_cast<size_t>(width) * height, 0);
        stage().tileMap.clear();
    }

    // A collision cell with the given state (tile code 2).
    void Cell(int column, int row, char state) {
        stage().tileMap[std::make_pair(column, row)] = TileInfo{2, state};
    }

    std::vector<SoundRequest> sounds;

private:
    std::string root_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<Game> game_;
};

}  // namespace stagetest
