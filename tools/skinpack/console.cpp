#include "console.h"

#include <cstdio>

bool Arguments::Parse(const std::vector<std::string>& args,
                      std::initializer_list<std::string_view> valueOptions,
                      std::initializer_list<std::string_view> flags) {
    auto listed = [](std::initializer_list<std::string_view> names, const std::string& arg) {
        for (std::string_view name : names)
            if (name == arg) return true;
        return false;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (listed(flags, arg)) {
            m_options[arg] = "";
        } else if (!listed(valueOptions, arg)) {
            m_error = "unknown option " + Quoted(arg);
            return false;
        } else if (i + 1 == args.size()) {
            m_error = "option " + Quoted(arg) + " needs a value";
            return false;
        } else {
            m_options[arg] = args[++i];
        }
    }
    return true;
}

std::string Arguments::Value(std::string_view option) const {
    auto it = m_options.find(std::string(option));
    return it == m_options.end() ? std::string() : it->second;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string Quoted(const CString& text) {
    return Quoted(text.ToUtf8());
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "skinpack: %s\n", message.c_str());
    return kExitFailure;
}

int UsageFailure(const Invocation& call, const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "skinpack: %s\n", problem.c_str());
    std::fprintf(stderr, "usage: skinpack %s %s\n", call.verb, call.usage);
    return kExitUsage;
}

bool PrintLine(const CString& text) {
    std::string line = text.ToUtf8() + "\n";
    return WriteOutput(line.data(), line.size());
}

bool WriteOutput(const void* bytes, size_t count) {
    return std::fwrite(bytes, 1, count, stdout) == count;
}

bool FlushOutput() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

CString DevicePath(const std::string& hostPath) {
    return CString::FromUtf8(hostPath);
}
