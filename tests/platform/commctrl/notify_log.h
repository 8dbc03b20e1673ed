// The common-control tests' parent: a top-level framework window (so that the framework hands
// notifications to the control's own object first) that records, as text, every notification
// that reaches it, and may refuse one code.
#pragma once

#include "platform/afx/afxcmn.h"
#include "support/gdi_fixture.h"
#include "support/screen_fixture.h"

#include <functional>
#include <string>

class NotifyParent {
public:
    explicit NotifyParent(std::function<std::string(const NMHDR*)> describe)
        : probe(nullptr, {0, 0, 240, 320}, RGB(40, 40, 40), 0, WS_POPUP | WS_VISIBLE),
          m_describe(std::move(describe)) {
        wnd.SubclassWindow(probe);
        probe.handler = [this](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
            if (message != WM_NOTIFY) return false;
            auto* header = reinterpret_cast<const NMHDR*>(lParam);
            log += m_describe(header) + " ";
            *result = header->code == refuse;
            return true;
        };
    }
    ~NotifyParent() { wnd.UnsubclassWindow(); }
    std::string Take() { return std::exchange(log, std::string()); }

    ProbeWindow probe;
    CWnd wnd;
    std::string log;
    UINT refuse = 0; // the code answered with TRUE
private:
    std::function<std::string(const NMHDR*)> m_describe;
};

// An image list of count solid images, each w x h, of the given colours.
inline HIMAGELIST SolidImages(int w, int h, std::initializer_list<COLORREF> colours) {
    Canvas strip(w * int(colours.size()), h);
    int x = 0;
    for (COLORREF c : colours) {
        strip.Fill(RECT{x, 0, x + w, h}, c);
        x += w;
    }
    HIMAGELIST list = ImageList_Create(w, h, ILC_COLOR32, 0, 1);
    HBITMAP bitmap = strip.Release();
    ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
    return list;
}
