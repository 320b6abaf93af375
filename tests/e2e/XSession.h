#pragma once
// The X server as a person at the screen sees and drives it: top-level
// windows by name and size, real pointer and keyboard input through XTEST,
// and copies of what the screen shows.

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vandir::e2e {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    Point At(int dx, int dy) const { return {x + dx, y + dy}; }
    Point Centre() const { return {x + width / 2, y + height / 2}; }
    bool operator==(const Rect&) const = default;
};

// A top-level window as the screen shows it.
struct ScreenWindow {
    unsigned long id = 0;
    std::string name;
    Rect area;
};

// Pixels of a screen rectangle, three bytes (red, green, blue) each.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    bool operator==(const Pixels&) const = default;
};

class XSession {
public:
    // The display of $DISPLAY with the XTEST extension, or none with the reason.
    static std::unique_ptr<XSession> Open(std::string& whyNot);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    Rect Screen() const;

    // Mapped top-level windows, bottom first.
    std::vector<ScreenWindow> VisibleWindows();

    void MoveTo(Point p);
    // Presses and releases a pointer button (1 left, 3 right) at the point.
    void Click(Point p, unsigned int button = 1);
    // Presses the left button at `from`, moves in steps to `to`, releases.
    void Drag(Point from, Point to);
    // A key by its X keysym, pressed and released.
    void Tap(unsigned long keysym);
    void KeyDown(unsigned long keysym);
    void KeyUp(unsigned long keysym);
    // Each character of the text as a key tap (digits and lower-case letters).
    void Type(const std::string& text);

    Pixels Grab(const Rect& area);

private:
    explicit XSession(Display* display);
    void Sync();

    Display* display_;
};

}  // namespace vandir::e2e
