#include "app/VerticalSync.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstring>

bool HasExtension(const char* list, const char* name) {
    if (!list) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

namespace {

template <typename Function>
Function GlxFunction(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// Sets the swap interval of the current GL drawable to 1.
bool SetSwapIntervalOne(Display* display) {
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
        const GLXDrawable drawable = glXGetCurrentDrawable();
        if (auto swapInterval = GlxFunction<SwapIntervalEXT>("glXSwapIntervalEXT")) {
            if (drawable) {
                swapInterval(display, drawable, 1);
                return true;
            }
        }
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMESA = int (*)(unsigned);
        if (auto swapInterval = GlxFunction<SwapIntervalMESA>("glXSwapIntervalMESA"))
            return swapInterval(1) == 0;
    }
    if (HasExtension(extensions, "GLX_SGI_swap_control")) {
        using SwapIntervalSGI = int (*)(int);
        if (auto swapInterval = GlxFunction<SwapIntervalSGI>("glXSwapIntervalSGI"))
            return swapInterval(1) == 0;
    }
    return false;
}

// The current mode's refresh rate in hertz, or -error when it cannot be read.
int RefreshRate(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) return -1;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display, DefaultRootWindow(display));
    if (!config) return -2;
    const int rate = XRRConfigCurrentRate(config);
    XRRFreeScreenConfigInfo(config);
    return rate;
}

}  // namespace

bool VerticalSyncPaces(bool intervalSet, int refreshRate) {
    return intervalSet && (refreshRate == 50 || refreshRate == 60);
}

bool EnableVerticalSync() {
    Display* display = glXGetCurrentDisplay();
    if (!display || !SetSwapIntervalOne(display)) return false;
    const int rate = RefreshRate(display);
    if (rate < 0) {
        std::printf("EnumDisplaySettings failed:%d\n", -rate);
        return false;
    }
    std::printf("Refresh rate, in hertz: %d\n", rate);
    return VerticalSyncPaces(true, rate);
}
