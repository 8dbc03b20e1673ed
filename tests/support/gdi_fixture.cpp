#include "support/gdi_fixture.h"

#include "platform/afx/wnd.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

void GdiTest::SetUp() {
    GdiResetScreen();
    m_counts = GdiGetObjectCounts();
}

void GdiTest::TearDown() {
    AfxDeleteTempMaps();
    GdiObjectCounts now = GdiGetObjectCounts();
    EXPECT_EQ(now, m_counts) << "left behind: " << GdiDescribeCounts(now) << " (at start "
                             << GdiDescribeCounts(m_counts) << ")";
}

static std::vector<RGBQUAD> GreyRamp(int bpp) {
    std::vector<RGBQUAD> table;
    int n = 1 << bpp;
    for (int i = 0; i < n; ++i) {
        BYTE v = BYTE(i * 255 / (n - 1));
        table.push_back(RGBQUAD{v, v, v, 0});
    }
    return table;
}

HBITMAP MakeSection(int width, int height, int bpp, const std::vector<RGBQUAD>& table,
                    const std::vector<DWORD>& masks, void** bits) {
    std::vector<BYTE> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER h{
        sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> colours = table.empty() && bpp <= 8 ? GreyRamp(bpp) : table;
    if (!masks.empty()) h.biCompression = BI_BITFIELDS;
    h.biClrUsed = DWORD(colours.size());
    std::copy_n(reinterpret_cast<const BYTE*>(&h), sizeof h, buffer.data());
    BYTE* after = buffer.data() + sizeof h;
    if (!masks.empty())
        std::copy_n(reinterpret_cast<const BYTE*>(masks.data()), masks.size() * 4, after);
    else
        std::copy_n(reinterpret_cast<const BYTE*>(colours.data()), colours.size() * 4, after);
    void* ignored = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(buffer.data()),
                            DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

Canvas::Canvas(int width, int height, int bpp, COLORREF fill)
    : Canvas(MakeSection(width, height, bpp)) {
    Fill(fill);
}

Canvas::Canvas(HBITMAP bitmap) : m_bitmap(bitmap) {
    BITMAP bm{};
    ::GetObject(bitmap, sizeof bm, &bm);
    m_width = bm.bmWidth;
    m_height = bm.bmHeight;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_previous = ::SelectObject(m_dc, bitmap);
}

Canvas::~Canvas() {
    ::SelectObject(m_dc, m_previous);
    ::DeleteDC(m_dc);
    ::DeleteObject(m_bitmap);
}

void Canvas::Fill(COLORREF colour) {
    Fill(RECT{0, 0, m_width, m_height}, colour);
}

void Canvas::Fill(const RECT& area, COLORREF colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(m_dc, &area, brush);
    ::DeleteObject(brush);
}

HBITMAP Canvas::Release() {
    ::SelectObject(m_dc, m_previous);
    return std::exchange(m_bitmap, nullptr);
}

std::vector<COLORREF> Canvas::Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.push_back(At(x, y));
    return out;
}

int Canvas::Count(COLORREF colour) const {
    std::vector<COLORREF> all = Pixels();
    return int(std::count(all.begin(), all.end(), colour));
}

RECT Canvas::Bounds(COLORREF colour) const {
    RECT r{m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) == colour) {
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1),
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.left >= r.right) r = RECT{0, 0, 0, 0};
    return r;
}

unsigned TestSeed() {
    if (const char* text = std::getenv("SKINKIT_SEED"))
        return unsigned(std::strtoul(text, nullptr, 10));
    return 20240611u;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
