// Container 3 at (10, 20), 200 wide, its bar 4 at screen x 194 to 210 with parts of a colour
// each, read back as runs of parts down the bar's middle; rows 20 high (images 19 high).
#pragma once

#include "controls/skinlistctrl.h"
#include "controls/skinscrolllist.h"
#include "platform/afx/imagelist.h"
#include "support/gdi_fixture.h"
#include "support/press_fixture.h"

#include <utility>

// Records what the container tells the view.
struct CTestList : CSkinListCtrl {
    int width = -1;
    CFont* font = nullptr;
    void SetListWidth(int w) override { width = w; }
    void SetListFont(CFont* f) override { font = f; }
};

class ScrollTest : public PressTest {
protected:
    // Arrows (12 high) less abc, more xyz: normal, pressed, disabled; shaft s; elevator tme.
    static inline const std::vector<COLORREF> kParts = {
        RGB(200, 0, 0),   RGB(200, 80, 0), RGB(200, 160, 0), RGB(0, 200, 0),   RGB(80, 200, 0),
        RGB(160, 200, 0), RGB(0, 0, 90),   RGB(0, 90, 200),  RGB(90, 90, 250), RGB(0, 200, 200)};

    void Make(bool scrollbar, int rows, int height, bool bold = false) {
        container.reset(), list.reset();
        SkinDef skin = SkinDef::Named(u"Lists");
        skin.Section(u"main");
        Control(skin, u"3", u"scrolllist",
                std::string("visible=true;font_size=11;position=10,20,210,") +
                    std::to_string(20 + height) + ";scrollbar_visible=" +
                    (scrollbar ? "true" : "false") + ";font_bold=" + (bold ? "true" : "false"));
        Control(skin, u"4", u"scrollbar",
                "image_arrowless=less.bmp;image_arrowmore=more.bmp;image_shaft=shaft.bmp;"
                "image_elevator=elevator.bmp");
        Control(skin, u"5", u"scrollbar", "image_shaft=shaft.bmp");
        const auto& p = kParts;
        auto elevator = BmpBytes(16, 15, 24, [](int, int y) { return kParts[7 + y / 5]; });
        ASSERT_TRUE(LoadSkin(skin, {{u"less.bmp", FrameStrip({p[0], p[1], p[2]}, 16, 12)},
                                    {u"more.bmp", FrameStrip({p[3], p[4], p[5]}, 16, 12)},
                                    {u"shaft.bmp", BmpBytes(16, 4, 24, p[6])},
                                    {u"elevator.bmp", elevator}}));
        list = std::make_unique<CTestList>(); // made before its container: it outlives it
        list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS,
                     CRect(0, 0, 10, 10), Parent(), 1);
        if (!images.m_hImageList) images.Create(16, 19, ILC_COLOR24, 0, 1);
        list->SetImageList(&images, LVSIL_SMALL);
        list->InsertColumn(0, u"Track", LVCFMT_LEFT, 180);
        for (int i = 0; i < rows; ++i)
            list->InsertItem(i, u"Track");
        container = std::make_unique<CSkinScrollList>();
        ASSERT_TRUE(container->Create(Parent(), u"main", 3, 4, repository.get()));
        container->SetListCtrl(list.get());
        Pump();
    }
    void TearDown() override {
        container.reset(), list.reset();
        images.DeleteImageList();
        PressTest::TearDown();
    }
    CSkinScrollBar& Bar() { return container->ScrollBar(); }
    static char Part(COLORREF c) {
        char frame = FrameOf(c, kParts);
        return frame == '-' ? '-' : "abcxyzstme"[frame - '0'];
    }
    // The bar's middle column as runs of parts, e.g. "12a 5t 10m 5e 180s 12x".
    std::string Column(int height) const {
        std::string runs;
        for (int y = 20, n = 1; y < 20 + height; ++y, ++n)
            if (y + 1 == 20 + height || Part(Pixel(202, y + 1)) != Part(Pixel(202, y)))
                runs += (runs.empty() ? "" : " ") + std::to_string(std::exchange(n, 0)) +
                        Part(Pixel(202, y));
        return runs;
    }

    CImageList images;
    std::unique_ptr<CTestList> list;
    std::unique_ptr<CSkinScrollList> container;
};
