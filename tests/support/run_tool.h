// Runs a built program of this tree (a tool or an example) and captures what it printed.
#pragma once

#include <string>
#include <vector>

struct ToolRun {
    int exitCode = -1; // the program's exit status; -1 when it did not exit normally
    std::string out;   // standard output, byte for byte
    std::string err;   // standard error

    // "EXIT|OUT|ERR": the whole run as one text, so that a check is one comparison.
    std::string Outcome() const { return std::to_string(exitCode) + "|" + out + "|" + err; }
};

// Runs `program` (a name in the programs folder $SKINKIT_BIN, which the test runner sets, or a
// path) with `args` in the folder `cwd` (the current folder when empty).
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::string& cwd = "");
