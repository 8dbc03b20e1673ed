// Input for the demo fuzz target: event bytes as its table reads them (0 tap, 1 double tap,
// 2 drag, 3 down, 4 move, 5 up, 6 enable/disable, 7 switch skin, 8 show a screen, 9 run the
// clock; on the playlist: 10 tap a part of the bar, 11 hold one, 12 drag the elevator, 13 tap a
// row, 14 change the rows, 15 a few repeat ticks), coordinates scaled from 0..255 to the
// screen (the playlist's events aim within the bar's parts and the list).
#include "seeds.h"

namespace {

void WriteDemoSeeds(const std::string& folder) {
    // Play, run the meter, drag the volume, open the settings, pick shuffle, switch skins.
    WriteSeed(folder, "tour", {0,   149, 144, 9,  40, 2, 109, 204, 180, 204, 0,   68,
                               233, 0,   32,  85, 7,  8, 0,   9,   20,  0,   188, 233});
    // Double taps on the keys, a disabled key pressed, a press dragged off and released.
    WriteSeed(folder, "keys",
              {1, 149, 144, 6, 7, 0, 0, 69, 144, 3, 69, 144, 4, 200, 20, 5, 200, 20, 6, 7, 1});
    // Screens and skins switched back and forth.
    WriteSeed(folder, "skins", {8, 1, 7, 8, 0, 7, 7, 8, 1, 0, 32, 85, 9, 255});
    // The playlist: arrows tapped and held, the elevator dragged both ways and astray, a row
    // chosen, rows deleted and added back, a skin switch between.
    WriteSeed(folder, "playlist",
              {8,   2,  10, 1,   128, 11, 1,   128, 40,  12, 128, 0,  30,  13, 100, 10, 3,
               200, 11, 0,  128, 20,  12, 128, 100, 236, 15, 7,   14, 0,   5,  7,   14, 2,
               0,   10, 1,  128, 14,  3,  39,  12,  128, 0,  100, 13, 250, 15, 3});
}

} // namespace

REGISTER_SEEDS(demo_input, WriteDemoSeeds);
