#include "e2e/XSession.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>

namespace vandir::e2e {

namespace {

// Windows come and go while they are listed: a window destroyed between
// the listing and a question about it is simply skipped.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

std::unique_ptr<XSession> XSession::Open(std::string& whyNot) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        whyNot = "DISPLAY is not set (run inside xvfb-run)";
        return nullptr;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        whyNot = std::string("cannot open display ") + name;
        return nullptr;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        whyNot = "the X server has no XTEST extension";
        return nullptr;
    }
    XSetErrorHandler(IgnoreErrors);
    return std::unique_ptr<XSession>(new XSession(display));
}

XSession::XSession(Display* display) : display_(display) {}

XSession::~XSession() {
    XCloseDisplay(display_);
}

Rect XSession::Screen() const {
    const int screen = DefaultScreen(display_);
    return {0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

std::vector<ScreenWindow> XSession::VisibleWindows() {
    std::vector<ScreenWindow> windows;
    Window root = DefaultRootWindow(display_);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, root, &rootReturn, &parent, &children, &count)) {
        return windows;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        ScreenWindow window;
        window.id = children[i];
        window.area = {attributes.x, attributes.y, attributes.width, attributes.height};
        char* name = nullptr;
        if (XFetchName(display_, children[i], &name) && name != nullptr) {
            window.name = name;
            XFree(name);
        }
        windows.push_back(window);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

void XSession::Sync() {
    XSync(display_, False);
}

void XSession::MoveTo(Point p) {
    XTestFakeMotionEvent(display_, -1, p.x, p.y, CurrentTime);
    Sync();
}

void XSession::Click(Point p, unsigned int button) {
    MoveTo(p);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    Sync();
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    Sync();
}

void XSession::Drag(Point from, Point to) {
    MoveTo(from);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    Sync();
    constexpr int kSteps = 20;
    for (int i = 1; i <= kSteps; ++i) {
        MoveTo({from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
    }
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    Sync();
}

void XSession::KeyDown(unsigned long keysym) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), True, CurrentTime);
    Sync();
}

void XSession::KeyUp(unsigned long keysym) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), False, CurrentTime);
    Sync();
}

void XSession::Tap(unsigned long keysym) {
    KeyDown(keysym);
    KeyUp(keysym);
}

void XSession::Type(const std::string& text) {
    for (char c : text) {
        const char name[2] = {c, '\0'};
        Tap(XStringToKeysym(name));
    }
}

Pixels XSession::Grab(const Rect& wanted) {
    const Rect screen = Screen();
    const int left = std::clamp(wanted.x, 0, screen.width);
    const int top = std::clamp(wanted.y, 0, screen.height);
    const int right = std::clamp(wanted.x + wanted.width, left, screen.width);
    const int bottom = std::clamp(wanted.y + wanted.height, top, screen.height);
    Pixels pixels;
    if (right == left || bottom == top) {
        return pixels;
    }
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), left, top,
                              static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return pixels;
    }
    pixels.width = right - left;
    pixels.height = bottom - top;
    pixels.rgb.reserve(static_cast<size_t>(pixels.width) * pixels.height * 3);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const unsigned long value = XGetPixel(image, x, y);
            pixels.rgb.push_back(static_cast<std::uint8_t>((value & image->red_mask) >> 16));
            pixels.rgb.push_back(static_cast<std::uint8_t>((value & image->green_mask) >> 8));
            pixels.rgb.push_back(static_cast<std::uint8_t>(value & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return pixels;
}

}  // namespace vandir::e2e
