// Input for the demo fuzz target: event bytes as its table reads them (0 tap, 1 double tap,
// 2 drag, 3 down, 4 move, 5 up, 6 enable/disable, 7 switch skin, 8 show a screen, 9 run the
// clock; for popups: 10 queue a tap, 11 queue a key, 12 queue closing the skin chooser, 13 open
// the skin chooser, 14 open the options, 15 open the folder chooser, 16 select or drop the
// folders, 17 select a skin item), coordinates scaled from 0..255 to the screen.
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
    // The other skin by keys, the next track from the options, a folder tapped in the tree,
    // the tree closed by a tap outside, folders selected by name, a chooser closed from inside.
    WriteSeed(folder, "popups", {11, 1, 11,  1,  11, 2, 13, 10, 64, 84, 14, 15, 0, 100, 110,
                                 15, 0, 250, 10, 16, 0, 16, 5,  16, 4,  17, 1,  1, 12,  13});
}

} // namespace

REGISTER_SEEDS(demo_input, WriteDemoSeeds);
