// The asset builders as a modder meets them: a fault in a source stops the
// build with one line, "file:line: message". What the builders make from
// good sources is held byte for byte by the manifest (tools/rebuild-assets),
// so these tests cover what the manifest cannot: the messages, the Tiled
// encodings the demo's maps do not use, and a failed build keeping the old file.
#include <gtest/gtest.h>

#include <cstring>

#include "SheetBuilder.h"
#include "StageWarnings.h"
#include "SynthEffect.h"
#include "SynthScore.h"
#include "SynthText.h"
#include "TmxConverter.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace {

const char* const kSprite =
    "sheet Test\\Thing\nmode indexed\nframe 4 3\ncolumns 2\nlegend\n  k 1\n  w 7\n"
    "cell\nkw\n.\nkkkk\ncell = 0 flip\n";
const char* const kAnim = "4 3 0 0 4 3\nB 2 [1 1] 1\n";  // kSprite's two cells
const char* const kEffect =
    "wave sine\nfrequency 440\nsustain 0.1\nlayer\nwave voice\nvowels a o\n";
const char* const kScore =
    "tempo 150\nsteps 4\nbar 4\ninstrument Beep\n  wave square\npattern P\n  a4 c5 . - |\n"
    "track t Beep\n  play P\n";
const char* const kTmx =
    "<map orientation=\"orthogonal\" width=\"4\" height=\"3\" tilewidth=\"16\" tileheight=\"16\">\n"
    " <properties><property name=\"tileset\" value=\"Tiles\\Foundry\"/></properties>\n"
    " <tileset firstgid=\"1\" name=\"Foundry\" tilewidth=\"16\" tileheight=\"16\" "
    "tilecount=\"512\" columns=\"16\"/>\n"
    " <layer name=\"Far\" width=\"4\" height=\"3\">\n"
    "  <properties><property name=\"kind\" value=\"background\"/>"
    "<property name=\"width\" type=\"int\" value=\"2\"/></properties>\n"
    "  <data encoding=\"csv\">\n41,42,0,0,\n43,44,0,0,\n0,0,0,0</data>\n </layer>\n"
    " <layer name=\"Main\" width=\"4\" height=\"3\">\n"
    "  <properties><property name=\"kind\" value=\"main\"/></properties>\n"
    "  <data encoding=\"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20</data>\n </layer>\n"
    " <objectgroup name=\"Objects\">\n"
    "  <object id=\"1\" name=\"start\" type=\"start\" x=\"20\" y=\"17\"><point/></object>\n"
    "  <object id=\"2\" class=\"zone\" x=\"0\" y=\"0\" width=\"64\" height=\"48\"><properties>"
    "<property name=\"leftEdge\" type=\"bool\" value=\"true\"/></properties></object>\n"
    "  <object id=\"3\" name=\"Walker\" class=\"enemy\" x=\"32\" y=\"0\"><point/></object>\n"
    " </objectgroup>\n</map>\n";

struct Edit {
    const char* from;     // its first occurrence in the valid source ...
    const char* to;       // ... becomes this,
    const char* message;  // and the parser says this
};

const Edit kSpriteEdits[] = {
    {"kw", "kq", "9: 'q' (column 2) is not in the legend"},
    {"kkkk\n", "", "11: cell 0 ends after 2 rows; a cell has 3"},
    {"kkkk\n", "kkkk\nk\n", "12: cell 0 already has its 3 rows"},
    {"kkkk", "kkkkk", "11: the row is 5 pixels wide; a cell is 4"},
    {"flip", "flip\nk", "13: cell 1 is a copy and takes no rows"},
    {"cell = 0 flip", "cell 0 = 0", "12: cell 0 is drawn twice (first on line 8)"},
    {"w 7", "k 2", "7: 'k' is already in the legend (line 6)"},
    {"mode indexed\n", "", "4: 'legend' before 'mode'"},
    {"columns 2", "pixels", "4: unknown statement 'pixels'"},
    {"cell\nkw\n.\nkkkk\ncell = 0 flip\n", "", "7: the file ends before its first cell"},
};
// Checked against kSprite: a fault of the pair is the sheet's, one of the
// description's grammar is the description's.
const Edit kAnimEdits[] = {
    {"4 3 0", "4 4 0", "t.sprite:3: frames are 4 x 3 but T.anim says 4 x 4"},
    {"B 2", "B 3", "t.sprite:12: the sheet holds 2 cells but T.anim hands out 3 frames"},
    {"4 3 0 0 4 3", "4 3 x",
     "T.anim:1: the header needs left (six numbers: frameWidth frameHeight left top right bottom)"},
    {"[1 1]", "[1 1 ]",
     "T.anim:2: B's delays: more than 2 values, or ']' not right after the last one"},
    {"] 1", "] 2", "T.anim:2: B: loop frame 2 is outside its 2 frames"},
};
const Edit kEffectEdits[] = {
    {"sine", "organ", "1: 'wave' needs one of square, saw, triangle, sine, noise, voice"},
    {"440", "0", "2: 'frequency': 0 is not between 1 and 20000"},
    {"sustain", "colour", "3: unknown key 'colour'"},
    {"vowels a o", "", "4: a voice needs 'vowels'"},
    {"sustain 0.1", "sustain 0\ndecay 0", "1: the layer lasts no time: give it a sustain or decay"},
};
const Edit kScoreEdits[] = {
    {"a4 c5", "a4:3 c5", "7: a bar of pattern 'P' holds 6 steps, not 4"},
    {"c5", "q4", "7: 'q4' is not a note (c4, f#3, bb5, x), a rest (., r) or a hold (-)"},
    {"play P", "play Q", "9: no pattern is named 'Q'"},
    {"play P", "play P\ntrack u Beep\n  play P*2", "10: track 'u' lasts 8 steps, but 't' lasts 4"},
    {"track t Beep\n  play P\n", "", " has no tracks: nothing would play"},
};
const Edit kTmxEdits[] = {
    {"\"main\"", "\"background\"",
     " no main layer (one tile layer needs the property kind = main)"},
    {"19,20", "600,20", "13: layer 'Main' at column 2, row 2: tile 600 is not in the tileset"},
    {"0,0,\n18", "2,0,\n18",
     "13: layer 'Main' at column 2, row 1: tile id 1 is reserved; place the hero's start as a "
     "point object of class start"},
    {"41,42,0", "41,42,5", "6: layer 'Far' has a tile at column 2, row 0, outside its 2 x 3 tiles"},
    {"19,20<", "19<", "13: layer 'Main' has 11 cells; its size 4 x 3 needs 12"},
    {"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20", "base64\" compression=\"zlib\">eJxj",
     "13: layer 'Main' has broken zlib data"},
    {"\"true\"", "\"false\"",
     "20: object 2 is a camera zone without flags; set at least one of lockBand, leftEdge, "
     "rightEdge, topEdge, bottomEdge"},
    {"name=\"Walker\" ", "",
     "21: object 3 is an enemy without a type (name it, or set the property type)"},
    {"start\" type=\"start", "Walker\" type=\"enemy",
     " no hero start (a point object of class start)"},
    {"y=\"17\"", "y=\"33\"",
     "19: the hero start's cell (column 1, row 2) holds a tile of the main layer; it must be "
     "empty"},
    {"name=\"Foundry\"", "source=\"Missing.tsx\"", "3: cannot read the tileset 'Missing.tsx'"},
    // The same cells in Tiled's other formats: the same stage.
    {"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20", "csv\">0,0,0,0,0,0,0,0,18,18,19,20,", "ok"},
    {"encoding=\"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20",
     "><tile/><tile/><tile/><tile/><tile gid=\"0\"/><tile/><tile/><tile/><tile gid=\"18\"/>"
     "<tile gid=\"18\"/><tile gid=\"19\"/><tile gid=\"20\"/>",
     "ok"},
    {"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20",
     "base64\">AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAASAAAAEgAAABMAAAAUAAAA", "ok"},
    {"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20",
     "base64\" compression=\"zlib\">\n   eNpjYMAPhKBYGIhFgBgAAxAATA==\n", "ok"},
    {"csv\">\n0,0,0,0,\n0,0,0,0,\n18,18,19,20",
     "base64\" compression=\"gzip\">H4sIAAAAAAACA2NgwA+EoFgYiEWAGAALLWNeMAAAAA==", "ok"},
};

// Parses base, which must be valid, and then each edit of it.
template <typename Parse, size_t N>
void ExpectMessages(const std::string& prefix, const std::string& base, const Edit (&edits)[N],
                    Parse parse) {
    ASSERT_EQ("ok", parse(base));
    for (const Edit& edit : edits) {
        std::string text = base;
        const size_t at = text.find(edit.from);
        ASSERT_NE(std::string::npos, at) << edit.from;
        const std::string message = edit.message;
        EXPECT_EQ(message == "ok" ? message : prefix + message,
                  parse(text.replace(at, std::strlen(edit.from), edit.to)));
    }
}

// A parser of the builders' kind as text -> "ok" or its message.
template <typename Parsed, typename Parse>
auto Messages(Parse parse) {
    return [parse](const std::string& text) {
        Parsed parsed;
        SourceError error;
        return parse("t", text, parsed, error) ? "ok" : error.Text();
    };
}

}  // namespace

TEST(tools, EachFaultOfASourceIsOneLineNamingItsFileAndLine) {
    ExpectMessages("t:", kSprite, kSpriteEdits, Messages<SpriteSheet>(ParseSprite));
    ExpectMessages("t:", kEffect, kEffectEdits, Messages<Effect>(ParseEffect));
    ExpectMessages("t:", kScore, kScoreEdits, Messages<Score>(ParseScore));
    SpriteSheet sheet;
    SourceError error;
    ASSERT_TRUE(ParseSprite("t.sprite", kSprite, sheet, error));
    ExpectMessages("", kAnim, kAnimEdits, [&](const std::string& text) {
        return CheckSheetAgainstDescription("t.sprite", sheet, "T.anim", text, error)
                   ? "ok"
                   : error.Text();
    });
    RmapStage base;
    ASSERT_TRUE(ParseTmx("t.tmx", kTmx, base, error.message));
    ExpectMessages("t.tmx:", kTmx, kTmxEdits, [&](const std::string& text) {
        RmapStage stage;
        return !ParseTmx("t.tmx", text, stage, error.message) ? error.message
               : EncodeRmap(stage) == EncodeRmap(base)        ? "ok"
                                                              : "another stage";
    });
}

TEST(tools, AStageThatFailsToConvertKeepsTheOldFile) {
    const std::string tmx = MakeTempDir("builders") + "/T.tmx", rmap = tmx + ".rmap";
    std::string error, before, after;
    WriteFile(tmx, kTmx);
    ASSERT_TRUE(ConvertTmxFile(tmx, rmap, error)) << error;
    ASSERT_TRUE(ReadTextFile(rmap, before));
    WriteFile(tmx, std::string(kTmx).replace(std::string(kTmx).find("19,20"), 5, "19"));
    EXPECT_FALSE(ConvertTmxFile(tmx, rmap, error));
    EXPECT_EQ(tmx + ":13: layer 'Main' has 11 cells; its size 4 x 3 needs 12", error);
    ASSERT_TRUE(ReadTextFile(rmap, after));
    EXPECT_EQ(before, after);
}

// Converted into a game folder, a stage is checked against the game's data:
// an enemy type without files, and a placement the first screen holds.
TEST(tools, TheConverterWarnsOfWhatTheGameWillNotShow) {
    const std::string game = MakeTempDir("warnings"), tmx = game + "/tiled/T.tmx";
    for (const char* set : {"Player/Rook", "Enemies/Walker"}) {
        WriteFile(game + "/data/Objects/" + set + ".anim", "32 32 0 0 32 32\nStand 1 0 0\n");
        WritePng(game + "/data/img/" + set + ".png", TestImage(32, 32));
    }
    WriteFile(game + "/data/objects/Enemies/Walker.lua", "");
    WriteFile(game + "/data/objects/Tiles/Foundry States.txt", std::string(512, '1'));
    std::string text = kTmx;
    text.insert(text.find(" </objectgroup>"), "  <object id=\"4\" name=\"Sparkr\" class=\"enemy\" x=\"48\" y=\"0\"><point/></object>\n");
    WriteFile(tmx, text);
    RmapStage stage;
    std::string error;
    ASSERT_TRUE(ConvertTmxFile(tmx, game + "/data/Stages/T.rmap", error)) << error;
    ASSERT_TRUE(ParseTmx(tmx, text, stage, error)) << error;
    EXPECT_EQ(StageWarnings(tmx, game + "/data/Stages/T.rmap", stage),
              (std::vector<std::string>{
                  tmx + ":22: warning: the enemy type Sparkr has no data/Objects/Enemies/Sparkr.anim in the game's data",
                  tmx + ":22: warning: the enemy type Sparkr has no data/objects/Enemies/Sparkr.lua in the game's data",
                  tmx + ":21: warning: the Walker at (32, 0) lies wholly inside the view when the stage starts: it "
                        "appears only once the view has left it and come back"}));
    EXPECT_TRUE(StageWarnings(tmx, game + "/T.rmap", stage).empty()) << "not in a game folder";
}
