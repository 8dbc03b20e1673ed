#include "support/press_fixture.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

std::string PressTest::Press(HWND window, const std::string& steps,
                             const std::function<char()>& look) {
    AdvanceTime(1000); // never a double click with the previous row
    std::istringstream in(steps);
    std::string seen, step;
    while (in >> step) {
        POINT p{};
        int x = 0, y = 0;
        std::sscanf(step.c_str() + 1, "%d,%d", &x, &y);
        p = {x, y};
        ClientToScreen(window, &p);
        if (step[0] == 'd') UserInjectPointerDown(p.x, p.y);
        if (step[0] == 'm') UserInjectPointerMove(p.x, p.y);
        if (step[0] == 'u') UserInjectPointerUp(p.x, p.y);
        if (step[0] == 'r') RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        Pump();
        seen += look();
    }
    return seen;
}

std::string PressTest::Received(UINT message) const {
    std::string text;
    for (const ProbeMessage& m : parent->Messages()) {
        if (m.message == WM_COMMAND) {
            text += "C" + std::to_string(LOWORD(m.wParam));
            if (HIWORD(m.wParam)) text += ":" + std::to_string(HIWORD(m.wParam));
        } else if (message && m.message == message) {
            text += std::to_string(m.wParam);
        }
    }
    return text;
}

ComponentDef& Control(SkinDef& skin, const CString& id, const CString& type,
                      const std::string& attributes) {
    ComponentDef& c = skin.sections.back().Component(id, u"control", type);
    std::istringstream in(attributes);
    for (std::string item; std::getline(in, item, ';');) {
        std::string key = item.substr(0, item.find('=')), value = item.substr(item.find('=') + 1);
        bool rect = std::count(value.begin(), value.end(), ',') == 3;
        std::string kind = key == "text" || key == "font_name"                 ? "string"
                           : key.ends_with("filename")                         ? "file"
                           : key.ends_with("color")                            ? "color"
                           : key == "font_rect" || (key == "position" && rect) ? "rect"
                           : key == "position"                                 ? "point"
                           : value == "true" || value == "false"               ? "bool"
                                                                               : "numeric";
        c.Attr(CString::FromUtf8(key), CString::FromUtf8(kind), CString::FromUtf8(value));
    }
    return c;
}

std::vector<BYTE> FrameStrip(const std::vector<COLORREF>& frames, int frameWidth, int height,
                             int border) {
    return BmpBytes(int(frames.size()) * frameWidth, height, 24, [&](int x, int y) {
        int f = x / frameWidth, fx = x % frameWidth;
        bool edge = fx < border || fx >= frameWidth - border || y < border || y >= height - border;
        return edge ? kMagenta : frames[size_t(f)];
    });
}

char FrameOf(COLORREF colour, const std::vector<COLORREF>& colours) {
    for (size_t i = 0; i < colours.size(); ++i)
        if (colours[i] == colour) return char('0' + i);
    return '-';
}
