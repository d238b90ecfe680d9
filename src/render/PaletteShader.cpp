#include "render/PaletteShader.h"

// Not built yet: sprites are not recoloured.
void PaletteShader::Create() {}
void PaletteShader::SetPaletteTexture(unsigned) {}
void PaletteShader::BindForObject(const GameObject&) {}
void PaletteShader::Unbind() {}
