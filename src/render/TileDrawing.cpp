#include "render/TileDrawing.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/Projection.h"
#include "core/WorldPixels.h"

namespace {

constexpr int kScreenColumns = 20;  // one screen of tiles
constexpr int kScreenRows = 15;
constexpr int kSheetColumns = 16;  // the tileset sheet: 16 x 32 tiles
constexpr int kSheetRows = 32;

// One tile quad at world cell (column, row): top-left, top-right,
// bottom-right, bottom-left. Goes between glBegin(GL_QUADS) and glEnd: a
// layer's tiles are one draw, and a draw costs a GL far more than a quad.
void TileQuad(int column, int row, float s0, float t0, float s1, float t1) {
    const int x = column * 16;
    const int y = row * 16;
    glTexCoord2f(s0, t0);
    glVertex3i(x, y, 0);
    glTexCoord2f(s1, t0);
    glVertex3i(x + 16, y, 0);
    glTexCoord2f(s1, t1);
    glVertex3i(x + 16, y + 16, 0);
    glTexCoord2f(s0, t1);
    glVertex3i(x, y + 16, 0);
}

// The same quad from the rectangle texture, in texels.
void DebugTileQuad(int column, int row, int sheetColumn, int sheetRow) {
    const int x = column * 16;
    const int y = row * 16;
    const int s = sheetColumn * 16;
    const int t = sheetRow * 16;
    glTexCoord2i(s, t);
    glVertex3i(x, y, 0);
    glTexCoord2i(s + 16, t);
    glVertex3i(x + 16, y, 0);
    glTexCoord2i(s + 16, t + 16);
    glVertex3i(x + 16, y + 16, 0);
    glTexCoord2i(s, t + 16);
    glVertex3i(x, y + 16, 0);
}

float Factor(int layerSize, int mainSize, int screenSize) {
    if (mainSize == screenSize) return 0.0f;
    return static_cast<float>(layerSize - screenSize) / static_cast<float>(mainSize - screenSize);
}

void DrawParallaxLayers(const std::vector<TileLayer>& layers, const TileLayer& mainLayer,
                        const Vector2& camera) {
    for (const TileLayer& layer : layers) {
        const Vector2 centre = ParallaxCentre(layer, mainLayer, camera);
        const int px = static_cast<int>(centre.x);
        const int py = static_cast<int>(centre.y);
        SetScreenProjection();
        glTranslatef(static_cast<float>(kViewHalfWidth - px), static_cast<float>(kViewHalfHeight - py),
                     0.0f);
        DrawTileLayer(layer, px - kViewHalfWidth, py - kViewHalfHeight);
    }
}

void BeginDebugView(const StageMap& stage, const Vector2& camera) {
    SetWorldProjection(camera.x, camera.y);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, stage.tileset.rectTexture);
}

}  // namespace

TileRange VisibleTiles(const TileLayer& layer, int originX, int originY) {
    TileRange range;
    if (layer.Empty()) return range;
    range.firstRow = layer.RowOf(layer.ClampedIndexAtPixel(originX, originY));
    range.lastRow = layer.RowOf(layer.ClampedIndexAtPixel(originX, originY + kViewHeight));
    // The column range is the same in every row.
    range.firstColumn = layer.ColumnOf(layer.ClampedIndex(originX / 16, range.firstRow));
    range.lastColumn = layer.ColumnOf(layer.ClampedIndex((originX + kViewWidth) / 16, range.firstRow));
    return range;
}

bool TileSheetCell(int code, int tilesetWidth, int& sheetColumn, int& sheetRow) {
    if (tilesetWidth < 16) return false;
    sheetRow = code * 16 / tilesetWidth;
    sheetColumn = code % (tilesetWidth / 16);
    return true;
}

Vector2 ParallaxCentre(const TileLayer& layer, const TileLayer& mainLayer, const Vector2& camera) {
    const float fx = Factor(layer.width, mainLayer.width, kScreenColumns);
    const float fy = Factor(layer.height, mainLayer.height, kScreenRows);
    const float halfWidth = static_cast<float>(kViewHalfWidth);
    const float halfHeight = static_cast<float>(kViewHalfHeight);
    return Vector2(static_cast<float>(TruncToInt((camera.x - halfWidth) * fx + halfWidth)),
                   static_cast<float>(TruncToInt((camera.y - halfHeight) * fy + halfHeight)));
}

void DrawTileLayer(const TileLayer& layer, int originX, int originY) {
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    const TileRange range = VisibleTiles(layer, originX, originY);
    glBegin(GL_QUADS);
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            const int code = layer.TileAt(column, row);
            if (code == 0 || code == 1) continue;
            int sheetColumn, sheetRow;
            if (!TileSheetCell(code, layer.tilesetWidth, sheetColumn, sheetRow)) continue;
            TileQuad(column, row, static_cast<float>(sheetColumn) / kSheetColumns,
                     static_cast<float>(sheetRow) / kSheetRows,
                     static_cast<float>(sheetColumn + 1) / kSheetColumns,
                     static_cast<float>(sheetRow + 1) / kSheetRows);
        }
    }
    glEnd();
    glDisable(GL_ALPHA_TEST);
}

void DrawBackgroundLayers(const StageMap& stage, const Vector2& camera) {
    DrawParallaxLayers(stage.backgroundLayers, stage.mainLayer, camera);
}

void DrawMainLayer(const StageMap& stage, const Vector2& camera) {
    SetWorldProjection(camera.x, camera.y);
    DrawTileLayer(stage.mainLayer, TruncToInt(camera.x) - kViewHalfWidth,
                  TruncToInt(camera.y) - kViewHalfHeight);
}

void DrawForegroundLayers(const StageMap& stage, const Vector2& camera) {
    DrawParallaxLayers(stage.foregroundLayers, stage.mainLayer, camera);
}

void DrawMainLayerDebugDense(const StageMap& stage, const Vector2& camera) {
    BeginDebugView(stage, camera);
    const TileLayer& layer = stage.mainLayer;
    const TileRange range = VisibleTiles(layer, TruncToInt(camera.x) - kViewHalfWidth,
                                         TruncToInt(camera.y) - kViewHalfHeight);
    glBegin(GL_QUADS);
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            const int code = layer.TileAt(column, row);
            if (code == 0 || code == 1) continue;
            int sheetColumn, sheetRow;
            if (TileSheetCell(code, layer.tilesetWidth, sheetColumn, sheetRow))
                DebugTileQuad(column, row, sheetColumn, sheetRow);
        }
    }
    glEnd();
}

void DrawMainLayerDebugSparse(const StageMap& stage, const Vector2& camera) {
    BeginDebugView(stage, camera);
    const int top = TruncToInt(camera.y - static_cast<float>(kViewHalfHeight));
    const int left = TruncToInt(camera.x - static_cast<float>(kViewHalfWidth));
    const int firstRow = top / 16;
    const int lastRow = (top + kViewHeight) / 16;
    const int firstColumn = left / 16;
    const int lastColumn = (left + kViewWidth) / 16;
    const int tilesetWidth = stage.mainLayer.tilesetWidth;
    // Walk the sorted collision map column by column inside the view.
    glBegin(GL_QUADS);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        auto cell = stage.tileMap.lower_bound(std::make_pair(column, firstRow));
        for (; cell != stage.tileMap.end() && cell->first.first == column &&
               cell->first.second <= lastRow;
             ++cell) {
            int sheetColumn, sheetRow;
            if (TileSheetCell(cell->second.tile, tilesetWidth, sheetColumn, sheetRow))
                DebugTileQuad(column, cell->first.second, sheetColumn, sheetRow);
        }
    }
    glEnd();
}
