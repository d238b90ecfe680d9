#include "TmxConverter.h"

#include <sys/stat.h>
#include <tinyxml2.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

const ZoneFlagName kZoneFlagNames[5] = {
    {"lockBand", 0x01}, {"leftEdge", 0x10},   {"rightEdge", 0x20},
    {"topEdge", 0x40},  {"bottomEdge", 0x80},
};

namespace {

constexpr int kTileSize = 16;
constexpr uint32_t kGidFlipBits = 0xF0000000u;  // Tiled's flip and rotation bits
constexpr uint32_t kFormatVersion = 1;          // bytes 4..7; the game does not read them

// --- messages ---------------------------------------------------------------

// Fills error with "file:line: message" (or "file: message" for line 0) and
// returns false, so a fault is reported and returned in one statement.
bool Fail(std::string& error, const std::string& file, int line, const std::string& message) {
    error = line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
    return false;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// --- files ------------------------------------------------------------------

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool MakeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

// --- numbers ----------------------------------------------------------------

bool ParseUnsigned(const std::string& text, uint32_t& value) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    size_t end = text.find_last_not_of(" \t\r\n");
    if (begin == std::string::npos) return false;
    std::string digits = text.substr(begin, end - begin + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    unsigned long long parsed = std::strtoull(digits.c_str(), nullptr, 10);
    if (errno != 0 || parsed > 0xFFFFFFFFull) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

// tinyxml2's fault in words a person who edits XML by hand understands.
std::string XmlFault(tinyxml2::XMLError fault) {
    switch (fault) {
        case tinyxml2::XML_ERROR_EMPTY_DOCUMENT:
            return "the file is empty";
        case tinyxml2::XML_ERROR_MISMATCHED_ELEMENT:
            return "an element is closed by the wrong end tag";
        case tinyxml2::XML_ERROR_PARSING_ELEMENT:
            return "a broken or unclosed element";
        case tinyxml2::XML_ERROR_PARSING_ATTRIBUTE:
            return "a broken attribute";
        case tinyxml2::XML_ERROR_PARSING_TEXT:
            return "broken text between elements";
        case tinyxml2::XML_ERROR_PARSING_COMMENT:
            return "a broken comment";
        case tinyxml2::XML_ERROR_PARSING_DECLARATION:
            return "a broken declaration";
        default:
            return "cannot be read";
    }
}

bool IsBlankText(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Tiled writes object coordinates as decimals; a stage holds whole pixels.
int ToPixel(double value) {
    return static_cast<int>(std::lround(value));
}

bool HasWhitespace(const std::string& s) {
    return s.find_first_of(" \t\r\n\v\f") != std::string::npos;
}

// --- tile data decoding -----------------------------------------------------

bool DecodeBase64(const std::string& text, std::string& bytes) {
    static const std::string kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    bytes.clear();
    uint32_t buffer = 0;
    int bits = 0;
    bool padded = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        size_t index = kAlphabet.find(c);
        if (index == std::string::npos || padded) return false;
        buffer = (buffer << 6) | static_cast<uint32_t>(index);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    return true;
}

// Inflates zlib or gzip data (zlib tells them apart by their headers).
bool Inflate(const std::string& packed, std::string& bytes) {
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    if (inflateInit2(&stream, 15 + 32) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    bytes.clear();
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) break;
        bytes.append(chunk, sizeof chunk - stream.avail_out);
        if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) status = Z_BUF_ERROR;
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

// --- properties -------------------------------------------------------------

struct Property {
    std::string name;
    std::string type;  // Tiled's property type; "" is a string
    std::string value;
    int line = 0;
};

std::vector<Property> ReadProperties(const XMLElement* owner) {
    std::vector<Property> properties;
    const XMLElement* list = owner->FirstChildElement("properties");
    if (!list) return properties;
    for (const XMLElement* p = list->FirstChildElement("property"); p;
         p = p->NextSiblingElement("property")) {
        Property property;
        property.name = p->Attribute("name") ? p->Attribute("name") : "";
        property.type = p->Attribute("type") ? p->Attribute("type") : "";
        // Multi-line string values are written as the element's text.
        if (p->Attribute("value")) {
            property.value = p->Attribute("value");
        } else if (p->GetText()) {
            property.value = p->GetText();
        }
        property.line = p->GetLineNum();
        properties.push_back(property);
    }
    return properties;
}

const Property* FindProperty(const std::vector<Property>& properties, const std::string& name) {
    for (const Property& p : properties) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

bool ParseBool(const std::string& value, bool& result) {
    if (value == "true" || value == "1") {
        result = true;
        return true;
    }
    if (value == "false" || value == "0") {
        result = false;
        return true;
    }
    return false;
}

// --- the converter ----------------------------------------------------------

// One map's conversion: the map's tileset, then its layers and objects in
// document order (Tiled writes them bottom to top).
class TmxReader {
public:
    TmxReader(const std::string& file, std::string& error) : file_(file), error_(error) {}

    bool Read(const std::string& text, RmapStage& stage);

private:
    bool ReadMapAttributes(const XMLElement* map);
    bool ReadTileset(const XMLElement* map);
    bool ReadContainer(const XMLElement* container);
    bool ReadTileLayer(const XMLElement* layer);
    bool ReadLayerData(const XMLElement* layer, int width, int height, std::vector<uint32_t>& gids);
    bool TileCode(uint32_t gid, const std::string& layerName, int line, int column, int row,
                  uint16_t& code);
    bool ReadObject(const XMLElement* object);
    bool ReadZone(const XMLElement* object, const std::string& label,
                  const std::vector<Property>& properties);
    bool ReadEnemy(const XMLElement* object, const std::string& label,
                   const std::vector<Property>& properties);
    bool PlaceStart();

    bool Fail(int line, const std::string& message) { return ::Fail(error_, file_, line, message); }

    const std::string& file_;
    std::string& error_;
    RmapStage stage_;

    uint32_t firstGid_ = 1;
    uint32_t tileCount_ = 0;
    int mainLayers_ = 0;
    int startCount_ = 0;
    int startX_ = 0;
    int startY_ = 0;
    int startLine_ = 0;
};

bool TmxReader::Read(const std::string& text, RmapStage& stage) {
    XMLDocument document;
    if (document.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
        return Fail(document.ErrorLineNum(), "malformed XML: " + XmlFault(document.ErrorID()));
    }
    const XMLElement* map = document.FirstChildElement("map");
    if (!map) return Fail(0, "not a Tiled map (no <map> element)");
    if (!ReadMapAttributes(map) || !ReadTileset(map) || !ReadContainer(map)) return false;
    if (mainLayers_ == 0) {
        return Fail(0, "no main layer (one tile layer needs the property kind = main)");
    }
    if (!PlaceStart()) return false;
    stage = stage_;
    return true;
}

bool TmxReader::ReadMapAttributes(const XMLElement* map) {
    const char* orientation = map->Attribute("orientation");
    if (orientation && std::strcmp(orientation, "orthogonal") != 0) {
        return Fail(map->GetLineNum(),
                    std::string("the map is ") + orientation + "; stages are orthogonal");
    }
    if (map->IntAttribute("tilewidth") != kTileSize ||
        map->IntAttribute("tileheight") != kTileSize) {
        return Fail(map->GetLineNum(), "the map's tiles are " +
                                           std::to_string(map->IntAttribute("tilewidth")) + " x " +
                                           std::to_string(map->IntAttribute("tileheight")) +
                                           "; stage tiles are 16 x 16");
    }
    if (map->IntAttribute("infinite") != 0) {
        return Fail(map->GetLineNum(),
                    "infinite maps are not supported (Map > Map Properties > Infinite)");
    }
    std::vector<Property> properties = ReadProperties(map);
    const Property* tileset = FindProperty(properties, "tileset");
    if (!tileset || IsBlankText(tileset->value)) {
        return Fail(map->GetLineNum(), "the map has no property tileset (e.g. Tiles\\Foundry)");
    }
    if (HasWhitespace(tileset->value)) {
        return Fail(tileset->line,
                    "the tileset name " + Quoted(tileset->value) + " contains whitespace");
    }
    stage_.tileset = tileset->value;
    return true;
}

bool TmxReader::ReadTileset(const XMLElement* map) {
    const XMLElement* tileset = map->FirstChildElement("tileset");
    if (!tileset) return Fail(map->GetLineNum(), "the map has no tileset");
    if (tileset->NextSiblingElement("tileset")) {
        return Fail(tileset->NextSiblingElement("tileset")->GetLineNum(),
                    "the map uses more than one tileset; a stage draws from one");
    }
    firstGid_ = tileset->UnsignedAttribute("firstgid", 1);

    // An external tileset keeps its description in a ".tsx" beside the map.
    XMLDocument external;
    std::string tilesetFile = file_;
    const XMLElement* description = tileset;
    if (const char* source = tileset->Attribute("source")) {
        tilesetFile = FolderOf(file_) + source;
        std::string text;
        if (!ReadTextFile(tilesetFile, text)) {
            return Fail(tileset->GetLineNum(), "cannot read the tileset " + Quoted(tilesetFile));
        }
        if (external.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
            return ::Fail(error_, tilesetFile, external.ErrorLineNum(),
                          "malformed XML: " + XmlFault(external.ErrorID()));
        }
        description = external.FirstChildElement("tileset");
        if (!description) return ::Fail(error_, tilesetFile, 0, "no <tileset> element");
    }
    if (description->IntAttribute("tilewidth") != kTileSize ||
        description->IntAttribute("tileheight") != kTileSize) {
        return ::Fail(error_, tilesetFile, description->GetLineNum(),
                      "the tileset's tiles are not 16 x 16");
    }
    tileCount_ = description->UnsignedAttribute("tilecount", 0);
    if (tileCount_ == 0) {
        return ::Fail(error_, tilesetFile, description->GetLineNum(),
                      "the tileset has no tilecount");
    }
    return true;
}

bool TmxReader::ReadContainer(const XMLElement* container) {
    for (const XMLElement* e = container->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const char* tag = e->Name();
        if (std::strcmp(tag, "layer") == 0) {
            if (!ReadTileLayer(e)) return false;
        } else if (std::strcmp(tag, "objectgroup") == 0) {
            for (const XMLElement* o = e->FirstChildElement("object"); o;
                 o = o->NextSiblingElement("object")) {
                if (!ReadObject(o)) return false;
            }
        } else if (std::strcmp(tag, "group") == 0) {
            if (!ReadContainer(e)) return false;
        } else if (std::strcmp(tag, "imagelayer") == 0) {
            return Fail(e->GetLineNum(), "image layers are not supported; draw with tiles");
        }
    }
    return true;
}

bool TmxReader::ReadTileLayer(const XMLElement* layer) {
    std::string name = layer->Attribute("name") ? layer->Attribute("name") : "";
    std::string label = "layer " + Quoted(name);
    int width = layer->IntAttribute("width");
    int height = layer->IntAttribute("height");
    if (width <= 0 || height <= 0) return Fail(layer->GetLineNum(), label + " has no size");

    std::vector<Property> properties = ReadProperties(layer);
    const Property* kind = FindProperty(properties, "kind");
    RmapLayer result;
    if (!kind) {
        return Fail(layer->GetLineNum(),
                    label + " has no property kind (main, background or foreground)");
    } else if (kind->value == "main") {
        result.kind = kLayerMain;
    } else if (kind->value == "background") {
        result.kind = kLayerBackground;
    } else if (kind->value == "foreground") {
        result.kind = kLayerForeground;
    } else {
        return Fail(kind->line, label + " has kind " + Quoted(kind->value) +
                                    "; expected main, background or foreground");
    }
    if (result.kind == kLayerMain && ++mainLayers_ > 1) {
        return Fail(layer->GetLineNum(), label + " is a second main layer; a stage has one");
    }

    // The size the stage keeps: the whole layer, or its top-left part.
    result.width = width;
    result.height = height;
    for (const Property& p : properties) {
        if (p.name == "kind") continue;
        if (p.name != "width" && p.name != "height") {
            return Fail(p.line, label + " has an unknown property " + Quoted(p.name) +
                                    " (layers know kind, width and height)");
        }
        uint32_t size = 0;
        int limit = p.name == "width" ? width : height;
        if (!ParseUnsigned(p.value, size) || size == 0 || size > static_cast<uint32_t>(limit)) {
            return Fail(p.line, label + " has " + p.name + " " + Quoted(p.value) +
                                    "; expected a whole number of tiles from 1 to " +
                                    std::to_string(limit));
        }
        (p.name == "width" ? result.width : result.height) = static_cast<int>(size);
    }

    std::vector<uint32_t> gids;
    if (!ReadLayerData(layer, width, height, gids)) return false;
    int dataLine = layer->FirstChildElement("data")->GetLineNum();
    result.tiles.assign(static_cast<size_t>(result.width) * result.height, 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            uint32_t gid = gids[static_cast<size_t>(row) * width + column];
            if (gid == 0) continue;
            if (column >= result.width || row >= result.height) {
                return Fail(dataLine, label + " has a tile at column " + std::to_string(column) +
                                          ", row " + std::to_string(row) + ", outside its " +
                                          std::to_string(result.width) + " x " +
                                          std::to_string(result.height) + " tiles");
            }
            uint16_t code = 0;
            if (!TileCode(gid, name, dataLine, column, row, code)) return false;
            result.tiles[static_cast<size_t>(row) * result.width + column] = code;
        }
    }
    stage_.layers.push_back(std::move(result));
    return true;
}

bool TmxReader::ReadLayerData(const XMLElement* layer, int width, int height,
                              std::vector<uint32_t>& gids) {
    std::string label = "layer " + Quoted(layer->Attribute("name") ? layer->Attribute("name") : "");
    const XMLElement* data = layer->FirstChildElement("data");
    if (!data) return Fail(layer->GetLineNum(), label + " has no tile data");
    if (data->FirstChildElement("chunk")) {
        return Fail(data->GetLineNum(),
                    "infinite maps are not supported (" + label + " is in chunks)");
    }
    const size_t count = static_cast<size_t>(width) * height;
    std::string encoding = data->Attribute("encoding") ? data->Attribute("encoding") : "";
    std::string compression = data->Attribute("compression") ? data->Attribute("compression") : "";
    std::string text = data->GetText() ? data->GetText() : "";
    gids.clear();
    gids.reserve(count);

    if (encoding == "csv") {
        std::stringstream cells(text);
        std::string cell;
        while (std::getline(cells, cell, ',')) {
            uint32_t gid = 0;
            if (!ParseUnsigned(cell, gid)) {
                if (IsBlankText(cell) && cells.eof()) break;  // a trailing comma
                return Fail(data->GetLineNum(), label + " has a CSV cell " + Quoted(cell) +
                                                    " that is not a tile number");
            }
            gids.push_back(gid);
        }
    } else if (encoding == "base64") {
        std::string bytes;
        if (!DecodeBase64(text, bytes))
            return Fail(data->GetLineNum(), label + " has broken base64 data");
        if (compression == "zlib" || compression == "gzip") {
            std::string packed;
            packed.swap(bytes);
            if (!Inflate(packed, bytes)) {
                return Fail(data->GetLineNum(), label + " has broken " + compression + " data");
            }
        } else if (!compression.empty()) {
            return Fail(data->GetLineNum(), label + " uses " + compression +
                                                " compression; use CSV, base64, zlib or gzip");
        }
        if (bytes.size() % 4 != 0) {
            return Fail(data->GetLineNum(), label + " has tile data of " +
                                                std::to_string(bytes.size()) +
                                                " bytes, not whole tiles");
        }
        for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
            const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data() + i);
            gids.push_back(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
        }
    } else if (encoding.empty()) {
        for (const XMLElement* tile = data->FirstChildElement("tile"); tile;
             tile = tile->NextSiblingElement("tile")) {
            gids.push_back(tile->UnsignedAttribute("gid", 0));
        }
    } else {
        return Fail(data->GetLineNum(), label + " has the unknown encoding " + Quoted(encoding));
    }
    if (gids.size() != count) {
        return Fail(data->GetLineNum(), label + " has " + std::to_string(gids.size()) +
                                            " cells; its size " + std::to_string(width) + " x " +
                                            std::to_string(height) + " needs " +
                                            std::to_string(count));
    }
    return true;
}

bool TmxReader::TileCode(uint32_t gid, const std::string& layerName, int line, int column, int row,
                         uint16_t& code) {
    std::string where = "layer " + Quoted(layerName) + " at column " + std::to_string(column) +
                        ", row " + std::to_string(row);
    if (gid & kGidFlipBits) {
        return Fail(line, where + ": a flipped or rotated tile; the game draws tiles as drawn");
    }
    if (gid < firstGid_ || gid - firstGid_ >= tileCount_) {
        return Fail(line, where + ": tile " + std::to_string(gid) + " is not in the tileset");
    }
    uint32_t local = gid - firstGid_;
    if (local >= static_cast<uint32_t>(kRmapTileCodes)) {
        return Fail(line, where + ": tile id " + std::to_string(local) + " is beyond the " +
                              std::to_string(kRmapTileCodes) + " tiles a stage can use");
    }
    if (local == kRmapStartCode) {
        return Fail(line, where +
                              ": tile id 1 is reserved; place the hero's start as a point "
                              "object of class start");
    }
    code = static_cast<uint16_t>(local);
    return true;
}

bool TmxReader::ReadObject(const XMLElement* object) {
    std::string name = object->Attribute("name") ? object->Attribute("name") : "";
    std::string type = object->Attribute("class")  ? object->Attribute("class")
                       : object->Attribute("type") ? object->Attribute("type")
                                                   : "";
    std::string label = "object " + std::to_string(object->IntAttribute("id"));
    if (!name.empty()) label += " " + Quoted(name);
    int line = object->GetLineNum();
    if (object->Attribute("template")) {
        return Fail(line, label + " comes from a template; detach it (Replace Template Instance)");
    }
    if (object->Attribute("gid")) {
        return Fail(line, label + " is a tile object; use a point or a rectangle");
    }
    std::vector<Property> properties = ReadProperties(object);
    if (type.empty() && name == "start") type = "start";

    if (type == "zone") return ReadZone(object, label, properties);
    if (type == "enemy") return ReadEnemy(object, label, properties);
    if (type == "start") {
        if (!properties.empty()) {
            return Fail(properties.front().line, label + ": the start takes no properties");
        }
        ++startCount_;
        startX_ = ToPixel(object->DoubleAttribute("x"));
        startY_ = ToPixel(object->DoubleAttribute("y"));
        startLine_ = line;
        return true;
    }
    if (type.empty()) return Fail(line, label + " has no class (start, zone or enemy)");
    return Fail(line, label + " has the unknown class " + Quoted(type) + " (start, zone or enemy)");
}

bool TmxReader::ReadZone(const XMLElement* object, const std::string& label,
                         const std::vector<Property>& properties) {
    int line = object->GetLineNum();
    for (const char* shape : {"point", "ellipse", "polygon", "polyline", "text"}) {
        if (object->FirstChildElement(shape)) {
            return Fail(line,
                        label + ": a camera zone is a rectangle, not a " + std::string(shape));
        }
    }
    if (object->DoubleAttribute("rotation") != 0.0) {
        return Fail(line, label + ": a camera zone cannot be rotated");
    }
    RmapZone zone;
    zone.x = ToPixel(object->DoubleAttribute("x"));
    zone.y = ToPixel(object->DoubleAttribute("y"));
    zone.width = ToPixel(object->DoubleAttribute("width"));
    zone.height = ToPixel(object->DoubleAttribute("height"));
    if (zone.width <= 0 || zone.height <= 0) {
        return Fail(line, label + ": a camera zone needs a width and a height");
    }
    for (const Property& p : properties) {
        const ZoneFlagName* flag = nullptr;
        for (const ZoneFlagName& f : kZoneFlagNames) {
            if (p.name == f.property) flag = &f;
        }
        if (!flag) {
            return Fail(p.line,
                        label + " has an unknown property " + Quoted(p.name) +
                            " (zones know lockBand, leftEdge, rightEdge, topEdge, bottomEdge)");
        }
        bool set = false;
        if (!ParseBool(p.value, set)) {
            return Fail(p.line, label + ": " + p.name + " is " + Quoted(p.value) +
                                    "; expected true or false");
        }
        if (set) zone.flags |= flag->bit;
    }
    if (zone.flags == 0) {
        return Fail(line, label +
                              " is a camera zone without flags; set at least one of lockBand, "
                              "leftEdge, rightEdge, topEdge, bottomEdge");
    }
    stage_.zones.push_back(zone);
    return true;
}

bool TmxReader::ReadEnemy(const XMLElement* object, const std::string& label,
                          const std::vector<Property>& properties) {
    int line = object->GetLineNum();
    std::string typeName = object->Attribute("name") ? object->Attribute("name") : "";
    for (const Property& p : properties) {
        if (p.name != "type") {
            return Fail(p.line, label + " has an unknown property " + Quoted(p.name) +
                                    " (enemies know type)");
        }
        typeName = p.value;
    }
    if (IsBlankText(typeName)) {
        return Fail(line,
                    label + " is an enemy without a type (name it, or set the property type)");
    }
    if (HasWhitespace(typeName)) {
        return Fail(line, label + ": the enemy type " + Quoted(typeName) + " contains whitespace");
    }
    RmapPlacement placement;
    placement.typeIndex = -1;
    for (size_t i = 0; i < stage_.enemyTypes.size(); ++i) {
        if (stage_.enemyTypes[i] == typeName) placement.typeIndex = static_cast<int>(i);
    }
    if (placement.typeIndex < 0) {
        placement.typeIndex = static_cast<int>(stage_.enemyTypes.size());
        stage_.enemyTypes.push_back(typeName);
    }
    placement.x = ToPixel(object->DoubleAttribute("x"));
    placement.y = ToPixel(object->DoubleAttribute("y"));
    placement.line = line;
    stage_.placements.push_back(placement);
    return true;
}

bool TmxReader::PlaceStart() {
    if (startCount_ == 0) return Fail(0, "no hero start (a point object of class start)");
    if (startCount_ > 1) {
        return Fail(startLine_, "more than one hero start; a stage has one");
    }
    RmapLayer* main = nullptr;
    for (RmapLayer& layer : stage_.layers) {
        if (layer.kind == kLayerMain) main = &layer;
    }
    // The start's cell: the hero's frame top-left lands on its corner.
    int column = startX_ >= 0 ? startX_ / kTileSize : -1;
    int row = startY_ >= 0 ? startY_ / kTileSize : -1;
    if (column < 0 || row < 0 || column >= main->width || row >= main->height) {
        return Fail(startLine_, "the hero start at (" + std::to_string(startX_) + ", " +
                                    std::to_string(startY_) + ") is outside the main layer");
    }
    uint16_t& cell = main->tiles[static_cast<size_t>(row) * main->width + column];
    if (cell != 0) {
        return Fail(startLine_, "the hero start's cell (column " + std::to_string(column) +
                                    ", row " + std::to_string(row) +
                                    ") holds a tile of the main layer; it must be empty");
    }
    cell = kRmapStartCode;
    return true;
}

// --- encoding ---------------------------------------------------------------

void PutByte(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutU16(std::string& out, uint32_t value) {
    PutByte(out, static_cast<int>(value));
    PutByte(out, static_cast<int>(value >> 8));
}

void PutU32(std::string& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutI32(std::string& out, int value) {
    PutU32(out, static_cast<uint32_t>(value));
}

}  // namespace

bool ParseTmx(const std::string& file, const std::string& text, RmapStage& stage,
              std::string& error) {
    TmxReader reader(file, error);
    return reader.Read(text, stage);
}

std::string EncodeRmap(const RmapStage& stage) {
    std::string out = "RMAP";
    PutU32(out, kFormatVersion);
    PutByte(out, 0);
    PutByte(out, 0);  // must be 0
    out += stage.tileset;
    out += '\n';  // the name's terminator
    PutU32(out, static_cast<uint32_t>(stage.layers.size()));
    for (const RmapLayer& layer : stage.layers) {
        PutByte(out, layer.kind);
        PutU32(out, static_cast<uint32_t>(layer.width));
        PutU32(out, static_cast<uint32_t>(layer.height));
        for (uint16_t code : layer.tiles) PutU16(out, code);
    }
    PutU32(out, static_cast<uint32_t>(stage.zones.size()));
    for (const RmapZone& zone : stage.zones) {
        PutByte(out, zone.flags);
        PutI32(out, zone.x);
        PutI32(out, zone.y);
        PutI32(out, zone.width);
        PutI32(out, zone.height);
    }
    PutI32(out, static_cast<int>(stage.enemyTypes.size()));
    // Each name is followed by one space; the last one is the separator byte
    // the reader skips (written alone when there are no names).
    for (const std::string& name : stage.enemyTypes) out += name + ' ';
    if (stage.enemyTypes.empty()) out += ' ';
    PutU32(out, static_cast<uint32_t>(stage.placements.size()));
    for (const RmapPlacement& placement : stage.placements) {
        PutI32(out, placement.typeIndex);
        PutI32(out, placement.x);
        PutI32(out, placement.y);
    }
    return out;
}

bool ConvertTmxFile(const std::string& tmxPath, const std::string& rmapPath, std::string& error) {
    std::string text;
    if (!ReadTextFile(tmxPath, text)) return Fail(error, tmxPath, 0, "cannot read the file");
    RmapStage stage;
    if (!ParseTmx(tmxPath, text, stage, error)) return false;
    std::string bytes = EncodeRmap(stage);

    if (!MakeParentFolders(rmapPath)) {
        return Fail(error, rmapPath, 0,
                    std::string("cannot create its folder: ") + std::strerror(errno));
    }
    std::string temporary = rmapPath + ".tmp" + std::to_string(getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return Fail(error, rmapPath, 0, std::string("cannot write: ") + std::strerror(errno));
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = std::fclose(out) == 0 && written;
    if (!written || std::rename(temporary.c_str(), rmapPath.c_str()) != 0) {
        std::remove(temporary.c_str());
        return Fail(error, rmapPath, 0, std::string("cannot write: ") + std::strerror(errno));
    }
    return true;
}
