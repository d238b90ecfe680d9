#include "TmxConverter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

// The expected stage file, written field by field as the game reads it.
class Bytes {
public:
    Bytes& U8(int v) {
        text_.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& U16(int v) { return U8(v).U8(v >> 8); }
    Bytes& U32(uint32_t v) {
        return U16(static_cast<int>(v & 0xFFFF)).U16(static_cast<int>(v >> 16));
    }
    Bytes& I32(int v) { return U32(static_cast<uint32_t>(v)); }
    Bytes& Text(const std::string& s) {
        text_ += s;
        return *this;
    }
    Bytes& Codes(const std::vector<int>& codes) {
        for (int c : codes) U16(c);
        return *this;
    }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

std::string Base64(const std::string& bytes) {
    static const char* kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        uint32_t n = static_cast<uint8_t>(bytes[i]) << 16 |
                     static_cast<uint8_t>(bytes[i + 1]) << 8 | static_cast<uint8_t>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(n >> shift) & 63];
    }
    if (i + 1 == bytes.size()) {
        uint32_t n = static_cast<uint8_t>(bytes[i]) << 16;
        out += std::string() + kAlphabet[n >> 18] + kAlphabet[(n >> 12) & 63] + "==";
    } else if (i + 2 == bytes.size()) {
        uint32_t n = static_cast<uint8_t>(bytes[i]) << 16 | static_cast<uint8_t>(bytes[i + 1]) << 8;
        out += std::string() + kAlphabet[n >> 18] + kAlphabet[(n >> 12) & 63] +
               kAlphabet[(n >> 6) & 63] + "=";
    }
    return out;
}

std::string GidBytes(const std::vector<uint32_t>& gids) {
    Bytes b;
    for (uint32_t g : gids) b.U32(g);
    return b.str();
}

// zlib (window bits 15) or gzip (31) packing of Tiled's tile data.
std::string Pack(const std::string& bytes, int windowBits) {
    z_stream s{};
    deflateInit2(&s, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&s, bytes.size()) + 32, '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    s.avail_in = static_cast<uInt>(bytes.size());
    s.next_out = reinterpret_cast<Bytef*>(&out[0]);
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

std::string Layer(const std::string& name, int width, int height, const std::string& properties,
                  const std::string& data) {
    return " <layer name=\"" + name + "\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">\n  <properties>\n" + properties + "  </properties>\n" +
           data + " </layer>\n";
}

std::string Kind(const std::string& kind) {
    return "   <property name=\"kind\" value=\"" + kind + "\"/>\n";
}

std::string Csv(const std::string& cells) {
    return "  <data encoding=\"csv\">\n" + cells + "\n</data>\n";
}

const char* const kEmbeddedTileset =
    " <tileset firstgid=\"1\" name=\"Foundry\" tilewidth=\"16\" tileheight=\"16\" "
    "tilecount=\"512\" columns=\"16\">\n"
    "  <image source=\"Foundry.png\" width=\"256\" height=\"512\"/>\n"
    " </tileset>\n";

std::string Map(int width, int height, const std::string& body,
                const std::string& tileset = kEmbeddedTileset,
                const std::string& mapProperties =
                    "  <property name=\"tileset\" value=\"Tiles\\Foundry\"/>\n") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.10\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n <properties>\n" +
           mapProperties + " </properties>\n" + tileset + body + "</map>\n";
}

std::string Objects(const std::string& objects) {
    return " <objectgroup name=\"Objects\">\n" + objects + " </objectgroup>\n";
}

const char* const kStart =
    "  <object id=\"1\" name=\"start\" type=\"start\" x=\"20\" y=\"17\"><point/></object>\n";

// A small main layer with a floor, and the start.
std::string SimpleMain() {
    return Layer("Main", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,0,0,0,\n18,18,19,20"));
}

// The 1-based line of the first line of text holding marker.
int LineOf(const std::string& text, const std::string& marker) {
    std::istringstream in(text);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.find(marker) != std::string::npos) return n;
    }
    ADD_FAILURE() << "no line holds " << marker;
    return 0;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(TmxConverter, ConvertsEveryPartOfAStage) {
    // Front: base64 + zlib, one tile (local id 300) in its top-right cell.
    std::vector<uint32_t> front(12, 0);
    front[3] = 301;
    std::string frontData = "  <data encoding=\"base64\" compression=\"zlib\">\n   " +
                            Base64(Pack(GidBytes(front), 15)) + "\n  </data>\n";
    std::string body =
        Layer("Far", 4, 3,
              Kind("background") +
                  "   <property name=\"width\" type=\"int\" value=\"2\"/>\n"
                  "   <property name=\"height\" type=\"int\" value=\"2\"/>\n",
              Csv("41,42,0,0,\n43,44,0,0,\n0,0,0,0")) +
        SimpleMain() + Layer("Front", 4, 3, Kind("foreground"), frontData) +
        Objects(
            std::string(kStart) +
            "  <object id=\"2\" class=\"zone\" x=\"0\" y=\"0\" width=\"64\" height=\"48\">\n"
            "   <properties><property name=\"leftEdge\" type=\"bool\" value=\"true\"/>"
            "<property name=\"topEdge\" type=\"bool\" value=\"true\"/>"
            "<property name=\"rightEdge\" type=\"bool\" value=\"false\"/></properties>\n"
            "  </object>\n"
            "  <object id=\"3\" type=\"zone\" x=\"-16\" y=\"8.4\" width=\"80.2\" height=\"40\">\n"
            "   <properties><property name=\"lockBand\" type=\"bool\" value=\"true\"/>"
            "<property name=\"rightEdge\" type=\"bool\" value=\"true\"/>"
            "<property name=\"bottomEdge\" type=\"bool\" value=\"true\"/></properties>\n"
            "  </object>\n"
            "  <object id=\"4\" name=\"Walker\" class=\"enemy\" x=\"32\" "
            "y=\"0\"><point/></object>\n"
            "  <object id=\"5\" class=\"enemy\" x=\"48.6\" y=\"-3\">\n"
            "   <properties><property name=\"type\" value=\"Turret\"/></properties><point/>\n"
            "  </object>\n"
            "  <object id=\"6\" name=\"Walker\" type=\"enemy\" x=\"1\" "
            "y=\"2\"><point/></object>\n");
    std::string tmx = Map(4, 3, body);

    RmapStage stage;
    std::string error;
    ASSERT_TRUE(ParseTmx("stage.tmx", tmx, stage, error)) << error;

    Bytes expected;
    expected.Text("RMAP").U32(1).U8(0).U8(0).Text("Tiles\\Foundry\n").U32(3);
    expected.U8(1).U32(2).U32(2).Codes({40, 41, 42, 43});
    expected.U8(0).U32(4).U32(3).Codes({0, 0, 0, 0, 0, 1, 0, 0, 17, 17, 18, 19});
    expected.U8(2).U32(4).U32(3).Codes({0, 0, 0, 300, 0, 0, 0, 0, 0, 0, 0, 0});
    expected.U32(2);
    expected.U8(0x50).I32(0).I32(0).I32(64).I32(48);
    expected.U8(0xA1).I32(-16).I32(8).I32(80).I32(40);
    expected.I32(2).Text("Walker Turret ");
    expected.U32(3).I32(0).I32(32).I32(0).I32(1).I32(49).I32(-3).I32(0).I32(1).I32(2);
    EXPECT_EQ(expected.str(), EncodeRmap(stage));
}

TEST(TmxConverter, StageWithoutEnemiesKeepsTheSeparatorByte) {
    std::string tmx = Map(4, 3, SimpleMain() + Objects(kStart));
    RmapStage stage;
    std::string error;
    ASSERT_TRUE(ParseTmx("stage.tmx", tmx, stage, error)) << error;

    Bytes expected;
    expected.Text("RMAP").U32(1).U8(0).U8(0).Text("Tiles\\Foundry\n").U32(1);
    expected.U8(0).U32(4).U32(3).Codes({0, 0, 0, 0, 0, 1, 0, 0, 17, 17, 18, 19});
    expected.U32(0).I32(0).Text(" ").U32(0);
    EXPECT_EQ(expected.str(), EncodeRmap(stage));
}

TEST(TmxConverter, ReadsEveryTileEncodingAndExternalTilesets) {
    // The same main layer in each of Tiled's encodings, with the tileset in a
    // ".tsx" beside the map and a first gid other than 1.
    std::string dir = MakeTempDir("tmx-encodings");
    WriteFile(dir + "/Foundry.tsx",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<tileset version=\"1.10\" name=\"Foundry\" tilewidth=\"16\" tileheight=\"16\" "
              "tilecount=\"512\" columns=\"16\">\n"
              " <image source=\"Foundry.png\" width=\"256\" height=\"512\"/>\n</tileset>\n");
    const std::string external = " <tileset firstgid=\"5\" source=\"Foundry.tsx\"/>\n";
    std::vector<uint32_t> gids = {0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 516, 9};
    const std::vector<int> codes = {0, 0, 0, 0, 0, 1, 0, 0, 2, 2, 511, 4};
    std::string raw = GidBytes(gids);
    std::string xmlTiles = "  <data>\n";
    for (uint32_t g : gids) xmlTiles += "   <tile gid=\"" + std::to_string(g) + "\"/>\n";
    xmlTiles += "  </data>\n";
    const std::vector<std::string> encodings = {
        Csv("0,0,0,0,\n0,0,0,0,\n7,7,516,9,"),  // a trailing comma is harmless
        "  <data encoding=\"base64\">" + Base64(raw) + "</data>\n",
        "  <data encoding=\"base64\" compression=\"zlib\">" + Base64(Pack(raw, 15)) + "</data>\n",
        "  <data encoding=\"base64\" compression=\"gzip\">" + Base64(Pack(raw, 31)) + "</data>\n",
        xmlTiles,
    };
    for (const std::string& data : encodings) {
        std::string path = dir + "/stage.tmx";
        WriteFile(path,
                  Map(4, 3, Layer("Main", 4, 3, Kind("main"), data) + Objects(kStart), external));
        std::string error;
        ASSERT_TRUE(ConvertTmxFile(path, dir + "/out/stage.rmap", error)) << error << "\n" << data;
        std::string bytes = ReadFile(dir + "/out/stage.rmap");
        Bytes layer;
        layer.U8(0).U32(4).U32(3).Codes(codes);
        EXPECT_EQ(layer.str(), bytes.substr(4 + 4 + 2 + 14 + 4, layer.str().size())) << data;
    }
}

TEST(TmxConverter, ReportsEachFaultAsOneLineNamingTheFile) {
    struct Case {
        std::string tmx;
        std::string marker;  // the line the message names; "" for the file as a whole
        std::string message;
    };
    const std::string main = SimpleMain();
    const std::string zoneStart =
        "  <object id=\"2\" class=\"zone\" x=\"0\" y=\"0\" width=\"64\" height=\"48\"";
    const std::vector<Case> cases = {
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("background"), Csv("0,0,0,0,\n0,0,0,0,\n18,18,19,20")) +
                 Objects(kStart)),
         "", "no main layer (one tile layer needs the property kind = main)"},
        {Map(4, 3,
             main + Layer("Other", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,0,0,0,\n0,0,0,0")) +
                 Objects(kStart)),
         "name=\"Other\"", "layer 'Other' is a second main layer; a stage has one"},
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,0,0,0,\n18,18,600,20")) +
                 Objects(kStart)),
         "<data", "layer 'Main' at column 2, row 2: tile 600 is not in the tileset"},
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,2,0,0,\n18,18,19,20")) +
                 Objects(kStart)),
         "<data",
         "layer 'Main' at column 1, row 1: tile id 1 is reserved; place the hero's start as a "
         "point object of class start"},
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,0,0,0,\n18,2147483666,19,20")) +
                 Objects(kStart)),
         "<data",
         "layer 'Main' at column 1, row 2: a flipped or rotated tile; the game draws tiles as "
         "drawn"},
        {Map(4, 3, main + Objects(std::string(kStart) + zoneStart + "/>\n")), zoneStart,
         "object 2 is a camera zone without flags; set at least one of lockBand, leftEdge, "
         "rightEdge, topEdge, bottomEdge"},
        {Map(4, 3,
             main + Objects(std::string(kStart) + zoneStart +
                            "><properties><property name=\"leftEdge\" type=\"bool\" "
                            "value=\"false\"/></properties></object>\n")),
         zoneStart,
         "object 2 is a camera zone without flags; set at least one of lockBand, leftEdge, "
         "rightEdge, topEdge, bottomEdge"},
        {Map(4, 3,
             main + Objects(std::string(kStart) + zoneStart +
                            ">\n<properties><property name=\"leftedge\" type=\"bool\" "
                            "value=\"true\"/></properties></object>\n")),
         "leftedge",
         "object 2 has an unknown property 'leftedge' (zones know lockBand, leftEdge, rightEdge, "
         "topEdge, bottomEdge)"},
        {Map(4, 3,
             main +
                 Objects(std::string(kStart) +
                         "  <object id=\"2\" class=\"zone\" x=\"0\" y=\"0\"><point/></object>\n")),
         "id=\"2\"", "object 2: a camera zone is a rectangle, not a point"},
        {Map(4, 3,
             main +
                 Objects(std::string(kStart) +
                         "  <object id=\"7\" class=\"enemy\" x=\"0\" y=\"0\"><point/></object>\n")),
         "id=\"7\"", "object 7 is an enemy without a type (name it, or set the property type)"},
        {Map(4, 3,
             main + Objects(std::string(kStart) +
                            "  <object id=\"8\" name=\"Box\" x=\"0\" y=\"0\"/>\n")),
         "id=\"8\"", "object 8 'Box' has no class (start, zone or enemy)"},
        {Map(4, 3,
             main + Objects(std::string(kStart) +
                            "  <object id=\"9\" type=\"spawn\" x=\"0\" y=\"0\"/>\n")),
         "id=\"9\"", "object 9 has the unknown class 'spawn' (start, zone or enemy)"},
        {Map(4, 3, main), "", "no hero start (a point object of class start)"},
        {Map(4, 3,
             main + Objects(
                        "  <object id=\"1\" type=\"start\" x=\"40\" y=\"33\"><point/></object>\n")),
         "object id=\"1\"",
         "the hero start's cell (column 2, row 2) holds a tile of the main layer; it must be "
         "empty"},
        {Map(4, 3,
             main +
                 Objects("  <object id=\"1\" type=\"start\" x=\"64\" y=\"0\"><point/></object>\n")),
         "object id=\"1\"", "the hero start at (64, 0) is outside the main layer"},
        {Map(4, 3, Layer("Main", 4, 3, "", Csv("0,0,0,0,\n0,0,0,0,\n0,0,0,0"))), "name=\"Main\"",
         "layer 'Main' has no property kind (main, background or foreground)"},
        {Map(4, 3, Layer("Main", 4, 3, Kind("middle"), Csv("0,0,0,0,\n0,0,0,0,\n0,0,0,0"))),
         "value=\"middle\"",
         "layer 'Main' has kind 'middle'; expected main, background or foreground"},
        {Map(4, 3,
             Layer("Far", 4, 3,
                   Kind("background") + "   <property name=\"width\" type=\"int\" value=\"2\"/>\n",
                   Csv("0,0,0,0,\n0,0,5,0,\n0,0,0,0")) +
                 main + Objects(kStart)),
         "<data", "layer 'Far' has a tile at column 2, row 1, outside its 2 x 3 tiles"},
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("main"), Csv("0,0,0,0,\n0,0,0,0,\n18,18,19")) +
                 Objects(kStart)),
         "<data", "layer 'Main' has 11 cells; its size 4 x 3 needs 12"},
        {Map(4, 3,
             Layer("Main", 4, 3, Kind("main"),
                   "  <data encoding=\"base64\" compression=\"zlib\">eJxj</data>\n") +
                 Objects(kStart)),
         "<data", "layer 'Main' has broken zlib data"},
        {Map(4, 3, main + Objects(kStart), kEmbeddedTileset, ""), "<map",
         "the map has no property tileset (e.g. Tiles\\Foundry)"},
        {Map(4, 3, main + Objects(kStart), " <tileset firstgid=\"1\" source=\"Missing.tsx\"/>\n"),
         "Missing.tsx", "cannot read the tileset 'Missing.tsx'"},
        {Map(4, 3, main + " <layer name=\"Broken\"><data></layer>\n"), "Broken",
         "malformed XML: an element is closed by the wrong end tag"},
        {"", "", "malformed XML: the file is empty"},
    };
    for (const Case& c : cases) {
        RmapStage stage;
        std::string error;
        EXPECT_FALSE(ParseTmx("stage.tmx", c.tmx, stage, error)) << c.message;
        std::string where = "stage.tmx";
        if (!c.marker.empty()) where += ":" + std::to_string(LineOf(c.tmx, c.marker));
        EXPECT_EQ(where + ": " + c.message, error);
    }
}

TEST(TmxConverter, WritesTheStageOnlyWhenTheWholeMapConverts) {
    std::string dir = MakeTempDir("tmx-write");
    std::string good = dir + "/good.tmx";
    std::string bad = dir + "/bad.tmx";
    std::string out = dir + "/data/Stages/Test.rmap";
    WriteFile(good, Map(4, 3, SimpleMain() + Objects(kStart)));
    WriteFile(bad, Map(4, 3, SimpleMain()));

    std::string error;
    ASSERT_TRUE(ConvertTmxFile(good, out, error)) << error;
    std::string written = ReadFile(out);
    EXPECT_EQ(0u, written.find("RMAP"));

    EXPECT_FALSE(ConvertTmxFile(bad, out, error));
    EXPECT_EQ(bad + ": no hero start (a point object of class start)", error);
    EXPECT_EQ(written, ReadFile(out));

    EXPECT_FALSE(ConvertTmxFile(dir + "/none.tmx", out, error));
    EXPECT_EQ(dir + "/none.tmx: cannot read the file", error);
    EXPECT_EQ(written, ReadFile(out));
}
