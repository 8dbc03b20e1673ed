// Replaying a user's taps and drags from a text file, one step a line:
//
//   tap X Y            press and release at one point
//   drag X1 Y1 X2 Y2   press, move in steps of at most 8 pixels, release
//   down X Y | move X Y | up X Y
//   wait MS            let the clock run (timers fire)
//   # a comment
//
// Coordinates are the screen's. After each step the screen settles (pumped to idle).
#pragma once

#include <functional>
#include <string>
#include <vector>

struct ScriptStep {
    std::string verb;
    std::vector<int> values;
    int line = 0;
};

// The steps of text; false with a message naming the line when a line is not understood.
bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);
// Performs one step on the platform's input and clock and pumps until idle; false when the
// pump could not reach idle.
bool RunScriptStep(const ScriptStep& step);
