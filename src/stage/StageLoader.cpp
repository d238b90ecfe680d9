// Stage loading: "data/Stages/" + name + ".rmap" into a new StageMap.
//
// The file is little-endian with no padding:
//   "RMAP", 4 bytes and 1 byte not interpreted, 1 byte that must be 0,
//   the tileset name (a word ended by one whitespace byte),
//   layer count L (u32), L x { kind (u8: 0 main, 1 background, 2 foreground),
//                              width (u32), height (u32), width x height u16 codes },
//   zone count Z (u32), Z x { flags (s8), x, y, w, h (s32) },
//   enemy type count E (s32), E whitespace-separated words, one separator byte,
//   placement count P (u32), P x { type index, x, y (s32) }.
// Tile codes: 0 empty, 1 the hero's start (stored as 0), 2..511 tiles.
//
// The whole file is parsed before anything changes. A missing file, a
// truncated one, a layer kind outside 0..2, a tile code of 512 or more, a
// stage without a main layer, a layer too large to address or a placement
// naming no enemy type prints "Cannot load map: <name>" and leaves the
// previous stage, the objects and the hero as they were; so does a wrong
// magic or a non-zero byte 9. The message's next line gives the reason.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "stage/StageLoader.h"

#include "core/DataPath.h"
#include "stage/TileStates.h"

namespace {

// Layers wider or higher than this are refused, so that pixel sums over the
// stage stay far inside an int.
constexpr std::uint32_t kMaxLayerSide = 1u << 20;
constexpr int kTileCodeLimit = kTileStateCount;

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Bounds-checked little-endian reads over the file's bytes. Every read
// reports whether the data held what it asked for.
class StageReader {
public:
    StageReader(const std::string& bytes, size_t start) : bytes_(bytes), at_(start) {}

    size_t Remaining() const { return bytes_.size() - at_; }

    bool Byte(std::uint8_t& out) {
        if (Remaining() < 1) return false;
        out = static_cast<std::uint8_t>(bytes_[at_++]);
        return true;
    }

    bool U16(std::uint16_t& out) {
        if (Remaining() < 2) return false;
        out = static_cast<std::uint16_t>(At(0) | At(1) << 8);
        at_ += 2;
        return true;
    }

    bool U32(std::uint32_t& out) {
        if (Remaining() < 4) return false;
        out = At(0) | At(1) << 8 | At(2) << 16 | At(3) << 24;
        at_ += 4;
        return true;
    }

    bool I32(std::int32_t& out) {
        std::uint32_t raw;
        if (!U32(raw)) return false;
        std::memcpy(&out, &raw, sizeof out);
        return true;
    }

    // Skips whitespace, then takes the non-whitespace bytes that follow; the
    // byte that ends the word is left unread.
    bool Word(std::string& out) {
        while (Remaining() > 0 && IsBlank(static_cast<unsigned char>(bytes_[at_]))) ++at_;
        if (Remaining() == 0) return false;
        size_t begin = at_;
        while (Remaining() > 0 && !IsBlank(static_cast<unsigned char>(bytes_[at_]))) ++at_;
        out.assign(bytes_, begin, at_ - begin);
        return true;
    }

private:
    std::uint32_t At(size_t offset) const {
        return static_cast<unsigned char>(bytes_[at_ + offset]);
    }

    const std::string& bytes_;
    size_t at_;
};

// Everything a stage file says, before it touches the World.
struct StageFile {
    std::string tilesetName;
    std::vector<TileLayer> backgroundLayers;
    std::vector<TileLayer> foregroundLayers;
    TileLayer mainLayer;
    bool hasMainLayer = false;
    bool hasStart = false;
    Vector2 start;
    std::vector<std::string> enemyTypes;
    std::vector<EnemyPlacement> placements;
};

int ClampToInt(std::int64_t v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Records why a file is refused; false, for `return Refuse(...)`.
bool Refuse(std::string& why, const std::string& reason) {
    why = reason;
    return false;
}

bool ReadLayer(StageReader& in, StageFile& file, const std::string& which, std::string& why) {
    std::uint8_t kind;
    std::uint32_t width, height;
    if (!in.Byte(kind) || !in.U32(width) || !in.U32(height)) return Refuse(why, "it ends inside the header of " + which);
    if (kind > 2) return Refuse(why, which + " is of kind " + std::to_string(kind) + " (0 main, 1 background, 2 foreground)");
    if (width > kMaxLayerSide || height > kMaxLayerSide)
        return Refuse(why, which + " is " + std::to_string(width) + " x " + std::to_string(height) +
                               " tiles, more than " + std::to_string(kMaxLayerSide) + " a side");
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    if (cells * 2 > in.Remaining()) return Refuse(why, "it ends inside the tiles of " + which);

    TileLayer layer;
    layer.width = static_cast<int>(width);
    layer.height = static_cast<int>(height);
    layer.tiles.assign(static_cast<size_t>(cells), 0);
    for (int row = 0; row < layer.height; ++row) {
        for (int column = 0; column < layer.width; ++column) {
            std::uint16_t code = 0;
            in.U16(code);  // the size check above covers every cell
            if (code >= kTileCodeLimit)
                return Refuse(why, which + " has tile code " + std::to_string(code) + " at column " +
                                       std::to_string(column) + ", row " + std::to_string(row) + " (511 at most)");
            if (code == 1) {
                // A later start cell, in any layer, wins.
                file.hasStart = true;
                file.start = Vector2(static_cast<float>(column * 16), static_cast<float>(row * 16));
            } else {
                layer.tiles[row * layer.width + column] = code;
            }
        }
    }

    if (kind == 0) {
        // A second main layer replaces the first, collision cells included.
        file.mainLayer = std::move(layer);
        file.hasMainLayer = true;
    } else if (kind == 1) {
        file.backgroundLayers.push_back(std::move(layer));
    } else {
        file.foregroundLayers.push_back(std::move(layer));
    }
    return true;
}

// Reads everything after byte 9. False, with the reason, when the file is
// not a whole, well-formed stage.
bool ReadStageFile(StageReader& in, StageFile& file, std::string& why) {
    std::uint8_t terminator;
    if (!in.Word(file.tilesetName) || !in.Byte(terminator)) return Refuse(why, "it ends inside the tileset name");

    std::uint32_t layerCount;
    if (!in.U32(layerCount)) return Refuse(why, "it ends before the layer count");
    for (std::uint32_t i = 0; i < layerCount; ++i) {
        if (!ReadLayer(in, file, "layer " + std::to_string(i + 1) + " of " + std::to_string(layerCount), why))
            return false;
    }
    if (!file.hasMainLayer) return Refuse(why, "it has no main layer (kind 0)");

    std::uint32_t zoneCount;
    if (!in.U32(zoneCount)) return Refuse(why, "it ends before the camera zone count");
    for (std::uint32_t i = 0; i < zoneCount; ++i) {
        std::uint8_t flags;
        std::int32_t x, y, w, h;
        if (!in.Byte(flags) || !in.I32(x) || !in.I32(y) || !in.I32(w) || !in.I32(h))
            return Refuse(why, "it ends inside camera zone " + std::to_string(i + 1) + " of " + std::to_string(zoneCount));
        CameraZone zone;
        zone.left = x;
        zone.right = ClampToInt(static_cast<std::int64_t>(x) + w);
        zone.top = y;
        zone.bottom = ClampToInt(static_cast<std::int64_t>(y) + h);
        zone.flags = static_cast<std::int8_t>(flags);
        file.mainLayer.zones.push_back(zone);
    }

    std::int32_t typeCount;
    if (!in.I32(typeCount)) return Refuse(why, "it ends before the enemy type count");
    for (std::int32_t i = 0; i < typeCount; ++i) {
        std::string typeName;
        if (!in.Word(typeName)) return Refuse(why, "it ends inside the enemy type names");
        file.enemyTypes.push_back(typeName);
    }
    std::uint8_t separator;
    if (!in.Byte(separator)) return Refuse(why, "it ends inside the enemy type names");

    std::uint32_t placementCount;
    if (!in.U32(placementCount)) return Refuse(why, "it ends before the placement count");
    for (std::uint32_t i = 0; i < placementCount; ++i) {
        const std::string which = "placement " + std::to_string(i + 1) + " of " + std::to_string(placementCount);
        std::int32_t type, x, y;
        if (!in.I32(type) || !in.I32(x) || !in.I32(y)) return Refuse(why, "it ends inside " + which);
        if (type < 0 || type >= static_cast<std::int32_t>(file.enemyTypes.size()))
            return Refuse(why, which + " names enemy type " + std::to_string(type) + ", not one of the file's " +
                                   std::to_string(file.enemyTypes.size()) + " (counted from 0)");
        EnemyPlacement placement;
        placement.typeName = file.enemyTypes[type];
        placement.position = Vector2(static_cast<float>(x), static_cast<float>(y));
        file.placements.push_back(placement);
    }
    return true;
}

// Reads and parses the file; false with "path: reason" in error.
bool ParseStageFile(const std::string& name, StageFile& file, std::string& error) {
    const std::string path = "data/Stages/" + name + ".rmap";
    std::string bytes, why;
    StageReader in(bytes, 10);
    if (!ReadDataFile(path, bytes)) {
        why = "it is missing";
    } else if (bytes.size() < 4 || bytes.compare(0, 4, "RMAP") != 0) {
        why = "it is not a stage file (it does not begin with RMAP)";
    } else if (bytes.size() >= 10 && bytes[9] != 0) {
        why = "byte 9 is " + std::to_string(static_cast<unsigned char>(bytes[9])) + ", not 0: a stage of another format";
    } else if (bytes.size() < 10) {
        why = "it ends inside the header";
    } else {
        ReadStageFile(in, file, why);
    }
    if (why.empty()) return true;
    error = path + ": " + why;
    return false;
}

}  // namespace

bool StageFileReadable(const std::string& name, std::string& error) {
    StageFile file;
    return ParseStageFile(name, file, error);
}

bool LoadStageFile(const std::string& name, AnimationSetCache& sets, LoadedStage& out) {
    StageFile file;
    if (!ParseStageFile(name, file, out.error)) {
        std::printf("Cannot load map: %s\n  %s\n", name.c_str(), out.error.c_str());
        return false;
    }

    static unsigned serials = 0;
    StageMap& next = out.map;
    next.serial = ++serials;
    next.tileset = sets.LoadAnimationSet(file.tilesetName);
    const TileStateTable states = LoadTileStates(file.tilesetName);
    const int tilesetWidth = static_cast<int>(next.tileset.imageSize.x);

    next.mainLayer = std::move(file.mainLayer);
    next.backgroundLayers = std::move(file.backgroundLayers);
    next.foregroundLayers = std::move(file.foregroundLayers);
    next.mainLayer.tilesetWidth = tilesetWidth;
    for (TileLayer& layer : next.backgroundLayers) layer.tilesetWidth = tilesetWidth;
    for (TileLayer& layer : next.foregroundLayers) layer.tilesetWidth = tilesetWidth;

    const TileLayer& main = next.mainLayer;
    for (int row = 0; row < main.height; ++row) {
        for (int column = 0; column < main.width; ++column) {
            const int code = main.TileAt(column, row);
            if (code >= 2) next.tileMap[std::make_pair(column, row)] = TileInfo{code, states[code]};
        }
    }

    // Preloaded so that the first spawn of each type does not read files.
    for (const std::string& typeName : file.enemyTypes) sets.LoadAnimationSet("Enemies\\" + typeName);

    next.enemyPlacements = std::move(file.placements);
    out.hasStart = file.hasStart;
    out.start = file.start;
    return true;
}
