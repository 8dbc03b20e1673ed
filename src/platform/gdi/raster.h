// The raster engine: ternary raster operations over rows of destination values.
//
// A raster operation's low byte is its truth table: bit (P << 2 | S << 1 | D) gives the result
// for pattern, source and destination bits P, S and D. The engine converts each source row into
// destination values (with the device's colour/monochrome rules), takes the solid pattern as one
// destination value, and combines the three bit by bit. Common operations have fast paths;
// every operation goes through the same clipping and row walk.
#pragma once

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace gdi {

inline bool RopUsesSource(uint8_t rop) {
    return ((rop >> 2) ^ rop) & 0x33;
}
inline bool RopUsesPattern(uint8_t rop) {
    return ((rop >> 4) ^ rop) & 0x0F;
}
inline bool RopUsesDest(uint8_t rop) {
    return ((rop >> 1) ^ rop) & 0x55;
}

// Turns source values into destination values.
//  - same value space: unchanged;
//  - colour source to a monochrome destination: 1 where the source equals its context's
//    background colour, 0 elsewhere;
//  - monochrome source to a colour destination: 0 becomes monoFg (the destination context's
//    text colour), 1 becomes monoBg (its background colour);
//  - anything else goes through the colour (palette indices to the nearest entry).
class SourceConverter {
public:
    SourceConverter(const Surface& src, const Surface& dst, COLORREF srcBk, COLORREF monoFg,
                    COLORREF monoBg);
    bool Identity() const { return m_mode == Mode::Identity; }
    bool ToMono() const { return m_mode == Mode::ToMono; }
    // n source pixels of row y from column x, as destination values.
    void Read(int x, int y, int n, uint32_t* out) const;
    // Converts source values in place.
    void Convert(uint32_t* values, int n) const;
    uint32_t SourceBackground() const { return m_srcBk; }
    // Monochrome sources onto colour: the two values and the values of each nibble of bits.
    bool MonoToColour() const { return m_mode == Mode::Table && m_src.bpp == 1; }
    const uint32_t* Table() const { return m_table; }
    const uint32_t (*Nibbles() const)[4] {
        if (!m_nibblesMade) MakeNibbles();
        return m_nibbles;
    }

private:
    enum class Mode { Identity, Table, ToMono, ViaColour };
    const Surface& m_src;
    const Surface& m_dst;
    Mode m_mode = Mode::Identity;
    uint32_t m_srcBk = 0;
    // Filled only by the modes that read them: a converter is made for every blit.
    uint32_t m_table[256];
    // Monochrome sources: four pixels' values per nibble, made when first asked for (the
    // widest mask paths take the two values alone).
    void MakeNibbles() const;
    mutable bool m_nibblesMade = false;
    mutable uint32_t m_nibbles[16][4];
};

struct Blit {
    Surface* dst = nullptr;
    RECT rect = {}; // destination, surface coordinates, already within the source
    const Surface* src = nullptr;
    const SourceConverter* convert = nullptr;
    int srcX = 0; // 1:1 copies: source of rect's top-left pixel
    int srcY = 0;
    const int* xmap = nullptr; // stretched copies: source column per destination column
    const int* ymap = nullptr; // and source row per destination row (indexed from rect)
    uint8_t rop = 0xCC;
    uint32_t pattern = 0; // the brush colour as a destination value
};

// Runs the operation on every part of the blit's rectangle inside clip.
void RunBlit(const Blit& blit, const PixRegion& clip);

// Combines n destination values with source values (may be null when unused) and the pattern.
void ApplyRop(uint8_t rop, uint32_t* d, const uint32_t* s, uint32_t p, int n);

} // namespace gdi
