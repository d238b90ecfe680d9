#include "render/DrawPrimitives.h"

#include <GL/gl.h>

#include "objects/GameObject.h"
#include "render/PaletteShader.h"
#include "render/Projection.h"
#include "render/SpriteBatch.h"

void DrawObject(const GameObject& o, PaletteShader* shader) {
    SpriteBatch one;
    one.Add(o, shader);
    one.Draw(shader);
}

void DrawCategory(const std::list<GameObject>& objects, PaletteShader* shader) {
    // Kept from pass to pass: its arrays keep their room.
    static SpriteBatch batch;
    for (const GameObject& o : objects) {
        if (o.visible) batch.Add(o, shader);
    }
    batch.Draw(shader);
}

void DrawWipe(int progress) {
    // The slant of each 64-pixel column: its left and right edge move by
    // A and B pixels over the band's full height.
    static const int kSlants[5][2] = {{64, 32}, {40, 8}, {16, -16}, {-8, -40}, {-32, -64}};
    const int h = std::min(progress, 120);
    const int e = std::max(progress - 120, 0);
    glDisable(GL_TEXTURE_2D);
    for (int i = 0; i < 5; ++i) {
        const float grown = h / 120.0f;
        const float thinned = e / 120.0f;
        const int p1 = static_cast<int>(grown * kSlants[i][0]);
        const int p2 = static_cast<int>(grown * kSlants[i][1]);
        const int q1 = static_cast<int>(thinned * kSlants[i][0]);
        const int q2 = static_cast<int>(thinned * kSlants[i][1]);
        for (int lower = 0; lower < 2; ++lower) {
            auto Y = [lower](int y) { return lower ? kViewHeight - y : y; };
            glBegin(GL_QUADS);
            glColor4f(0, 0, 1, 0.5f);
            glVertex3i(64 * i + q1, Y(e), 0);
            glColor4f(0, 0, 1, 0.5f);
            glVertex3i(64 * i + 64 + q2, Y(e), 0);
            glColor4f(1, 1, 1, 0.5f);
            glVertex3i(64 * i + 64 + p2, Y(h), 0);
            glColor4f(1, 1, 1, 0.5f);
            glVertex3i(64 * i + p1, Y(h), 0);
            glEnd();
        }
    }
    glColor4f(1, 1, 1, 1);
}

void DrawFade(float level) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, level);
    glBegin(GL_QUADS);
    glVertex3i(0, 0, 0);
    glVertex3i(kViewWidth, 0, 0);
    glVertex3i(kViewWidth, kViewHeight, 0);
    glVertex3i(0, kViewHeight, 0);
    glEnd();
    glColor4f(1, 1, 1, 1);
}

void DrawPauseSign() {
    const int cx = kViewWidth / 2, cy = kViewHeight / 2;
    const int rects[3][5] = {{cx - 16, cy - 16, cx + 16, cy + 16, 0}, {cx - 8, cy - 10, cx - 3, cy + 10, 1},
                             {cx + 3, cy - 10, cx + 8, cy + 10, 1}};
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    for (const auto& r : rects) {
        if (r[4])
            glColor4f(1, 1, 1, 1);
        else
            glColor4f(0, 0, 0, 0.75f);
        glVertex3i(r[0], r[1], 0);
        glVertex3i(r[2], r[1], 0);
        glVertex3i(r[2], r[3], 0);
        glVertex3i(r[0], r[3], 0);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
}

namespace {

// One bar of the gauge, from y 80 up to trunc(80 - value).
void DrawGaugeBar(float value) {
    const GLint top = TruncateCoordinate(80.0f - value);
    glBegin(GL_QUADS);
    glVertex3i(24, top, 0);
    glVertex3i(29, top, 0);
    glVertex3i(29, 80, 0);
    glVertex3i(24, 80, 0);
    glEnd();
}

}  // namespace

void DrawLifeGauge(float health, float shownHealth) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3i(15, 46, 0);
    glTexCoord2f(1, 0);
    glVertex3i(79, 46, 0);
    glTexCoord2f(1, 1);
    glVertex3i(79, 110, 0);
    glTexCoord2f(0, 1);
    glVertex3i(15, 110, 0);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glColor3f(198 / 255.0f, 33 / 255.0f, 16 / 255.0f);
    DrawGaugeBar(shownHealth);
    if (health <= 8.0f)
        glColor3f(255 / 255.0f, 239 / 255.0f, 99 / 255.0f);
    else
        glColor3f(8 / 255.0f, 214 / 255.0f, 66 / 255.0f);
    DrawGaugeBar(health);
    glColor3f(1, 1, 1);
}
