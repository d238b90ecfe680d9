// TmxConverter: stages drawn in the Tiled map editor, turned into ".rmap".
//
// A Tiled ".tmx" map becomes a stage by these conventions (docs/stage-authoring.md
// is the guide for people who draw stages):
// - the map property `tileset` names the tileset ("Tiles\Foundry"); the map
//   uses one Tiled tileset of 16 x 16 tiles and a tile's code in the stage is
//   its local id in that tileset (cell 1 is reserved, see the start below);
// - every tile layer has the property `kind`: main, background or
//   foreground, exactly one main layer; the optional layer properties `width`
//   and `height` keep only the layer's top-left cells, which makes a
//   background or foreground layer smaller than the stage (parallax);
// - objects are told apart by their class (Tiled's "type" before 1.9):
//   `start` (the hero's start, a point, written as code 1 at its cell of the
//   main layer), `zone` (a camera zone, a rectangle with boolean flag
//   properties) and `enemy` (a placement, its type the property `type` or
//   else the object's name).
// Tile data may be CSV, XML or base64, plain or zlib / gzip compressed.
// Everything is checked before anything is written: a conversion either
// succeeds or reports the first fault as one line, "file:line: message"
// (or "file: message"), and nothing here throws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Layer kinds as the stage file stores them.
enum RmapLayerKind { kLayerMain = 0, kLayerBackground = 1, kLayerForeground = 2 };

// The most tile codes a stage can use (the size of a tileset's state table).
constexpr int kRmapTileCodes = 512;

// The reserved codes: 0 is an empty cell, 1 the hero's start.
constexpr int kRmapStartCode = 1;

struct RmapLayer {
    int kind = kLayerMain;
    int width = 0;
    int height = 0;
    std::vector<uint16_t> tiles;  // row-major, index = row * width + column
};

struct RmapZone {
    int flags = 0;  // CameraZoneFlag bits, stored as one byte
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct RmapPlacement {
    int typeIndex = 0;  // into RmapStage::enemyTypes
    int x = 0;          // world pixels of the enemy's frame top-left
    int y = 0;
    int line = 0;       // of its object in the ".tmx", for messages
};

// A stage as its ".rmap" file holds it.
struct RmapStage {
    std::string tileset;
    std::vector<RmapLayer> layers;  // in file order
    std::vector<RmapZone> zones;
    std::vector<std::string> enemyTypes;  // distinct names in first-use order
    std::vector<RmapPlacement> placements;
};

// The camera zone properties and the flag bit each one sets.
struct ZoneFlagName {
    const char* property;
    int bit;
};
extern const ZoneFlagName kZoneFlagNames[5];

// Reads a ".tmx" map from its text; file is the name used in messages and
// the place an external tileset (".tsx") is looked up from.
bool ParseTmx(const std::string& file, const std::string& text, RmapStage& stage,
              std::string& error);

// The bytes of the ".rmap" file: little-endian, no padding.
std::string EncodeRmap(const RmapStage& stage);

// Reads tmxPath and writes rmapPath (creating its folders, through a
// temporary file renamed into place, so a reader never sees half a stage).
bool ConvertTmxFile(const std::string& tmxPath, const std::string& rmapPath, std::string& error);

