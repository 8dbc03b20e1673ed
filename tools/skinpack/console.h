// What every skinpack verb shares: its invocation, argument parsing, and console output.
//
// Arguments arrive as UTF-8 host text; names inside packages are UTF-16 (CString), so output
// goes through PrintLine, which writes them as UTF-8. Failures are one line on stderr starting
// with "skinpack: " and naming the file concerned; the verb then returns kExitFailure.
#pragma once

#include "platform/base/afx.h"

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// One run of a verb: its row of the verb table and the arguments that follow it.
struct Invocation {
    const char* verb;
    const char* usage; // the verb's arguments as the usage text shows them
    std::vector<std::string> args;
};

// Splits arguments into positional ones and options. Options that take a value ("-o OUT") are
// named in valueOptions, options that stand alone in flags; "--" ends the options, and a lone
// "-" is positional.
class Arguments {
public:
    bool Parse(const std::vector<std::string>& args,
               std::initializer_list<std::string_view> valueOptions,
               std::initializer_list<std::string_view> flags = {});
    const std::string& Error() const { return m_error; }

    bool Has(std::string_view option) const { return m_options.count(std::string(option)) != 0; }
    // The option's value, or "" when it was not given.
    std::string Value(std::string_view option) const;

    std::vector<std::string> positional;

private:
    std::map<std::string, std::string> m_options;
    std::string m_error;
};

// 'text', for naming files and entries in messages.
std::string Quoted(const std::string& text);
std::string Quoted(const CString& text);

// Prints "skinpack: message" on stderr and returns kExitFailure.
int Fail(const std::string& message);
// Prints the verb's usage line (after `problem`, when given) on stderr; returns kExitUsage.
int UsageFailure(const Invocation& call, const std::string& problem = "");

// Standard output: a line of text as UTF-8, or raw bytes. False when the output failed.
bool PrintLine(const CString& text);
bool WriteOutput(const void* bytes, size_t count);
bool FlushOutput();

// A path from the command line as the platform's file functions take it.
CString DevicePath(const std::string& hostPath);
