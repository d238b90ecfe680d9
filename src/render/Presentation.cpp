#include "render/Presentation.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace {

// Power-of-two sides, for GL implementations without other sizes.
constexpr int kTextureWidth = 512;
constexpr int kTextureHeight = 256;

unsigned MakeFrameTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kTextureWidth, kTextureHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    return name;
}

}  // namespace

Picture FitPicture(int windowWidth, int windowHeight) {
    Picture picture;
    picture.windowWidth = windowWidth;
    picture.windowHeight = windowHeight;
    picture.scale = std::max(1, std::min(windowWidth / kViewWidth, windowHeight / kViewHeight));
    picture.left = (windowWidth - kViewWidth * picture.scale) / 2;
    picture.top = (windowHeight - kViewHeight * picture.scale) / 2;
    return picture;
}

void UseLogicalViewport() {
    glViewport(0, 0, kViewWidth, kViewHeight);
}

void PresentPicture(Picture& picture) {
    if (picture.Direct()) return;
    // Everything changed below comes back with the pop: the composition
    // sets only what it needs and relies on the rest staying as it left it.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushMatrix();
    if (!picture.texture) picture.texture = MakeFrameTexture();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_RECTANGLE_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, kViewWidth, kViewHeight);

    glViewport(0, 0, picture.windowWidth, picture.windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glOrtho(0, picture.windowWidth, picture.windowHeight, 0, -1, 1);
    glColor4f(1, 1, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The copy's first row is the frame's bottom one.
    const float u = static_cast<float>(kViewWidth) / kTextureWidth;
    const float v = static_cast<float>(kViewHeight) / kTextureHeight;
    const float x0 = static_cast<float>(picture.left);
    const float y0 = static_cast<float>(picture.top);
    const float x1 = x0 + kViewWidth * picture.scale;
    const float y1 = y0 + kViewHeight * picture.scale;
    glBegin(GL_QUADS);
    glTexCoord2f(0, v);
    glVertex2f(x0, y0);
    glTexCoord2f(u, v);
    glVertex2f(x1, y0);
    glTexCoord2f(u, 0);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y1);
    glEnd();
    glPopMatrix();
    glPopAttrib();
}
