// The demo player's screen map (examples/demo/screens.map), built into the programs that use
// it: the demo builds its screens from it, and skinview lays skins out by it unless told
// otherwise.
#pragma once

const char* DemoScreenMapText();
// The name messages give the map.
inline constexpr const char* kDemoScreenMapName = "screens.map";
