#include "script.h"

#include "platform/user/userdevice.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

// Each verb and the number of values it takes.
const std::map<std::string, size_t> kVerbs = {{"tap", 2},  {"drag", 4}, {"down", 2},
                                              {"move", 2}, {"up", 2},   {"wait", 1}};

bool Settle() {
    return bool(UserPumpUntilIdle());
}

bool Drag(int x1, int y1, int x2, int y2) {
    UserInjectPointerDown(x1, y1);
    bool ok = Settle();
    int steps = std::max(1, std::max(std::abs(x2 - x1), std::abs(y2 - y1)) / 8);
    for (int i = 1; i <= steps; ++i) {
        UserInjectPointerMove(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        ok = Settle() && ok;
    }
    UserInjectPointerUp(x2, y2);
    return Settle() && ok;
}

} // namespace

bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        ScriptStep step;
        step.line = number;
        if (!(words >> step.verb) || step.verb[0] == '#') continue;
        for (int v; words >> v;)
            step.values.push_back(v);
        auto verb = kVerbs.find(step.verb);
        if (verb == kVerbs.end() || verb->second != step.values.size() || !words.eof()) {
            error = "line " + std::to_string(number) + ": not a step: " + line;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

bool RunScriptStep(const ScriptStep& step) {
    const std::vector<int>& v = step.values;
    if (step.verb == "tap") {
        UserInjectPointerDown(v[0], v[1]);
        bool ok = Settle();
        UserInjectPointerUp(v[0], v[1]);
        return Settle() && ok;
    }
    if (step.verb == "drag") return Drag(v[0], v[1], v[2], v[3]);
    if (step.verb == "down") UserInjectPointerDown(v[0], v[1]);
    if (step.verb == "move") UserInjectPointerMove(v[0], v[1]);
    if (step.verb == "up") UserInjectPointerUp(v[0], v[1]);
    if (step.verb == "wait") return bool(UserAdvanceTime(DWORD(std::max(0, v[0]))));
    return Settle();
}
