// skinpack: builds, lists, extracts, examines and checks skin packages.
//
// A new verb is one row in kVerbs plus its function in the verbs file of its area (see verbs.h).

#include "verbs.h"

#include <cstdio>
#include <cstring>

namespace {

const Verb kVerbs[] = {
    {"create", "PACKAGE FILE...", "pack files into a new package, each under its file name",
     CreateVerb},
    {"list", "PACKAGE", "print the package's entry names in index order, one per line", ListVerb},
    {"extract", "PACKAGE ENTRY [-o OUT]", "write an entry's bytes to OUT or to standard output",
     ExtractVerb},
    {"build", "DEFINITION", "build the skin package(s) of a skin definition, converting its images",
     BuildVerb},
    {"convert", "(--text|--record) IN OUT", "write a skin description in the chosen form",
     ConvertVerb},
    {"dump", "PACKAGE", "print the package's description in the text form", DumpVerb},
    {"info", "PACKAGE | --folder FOLDER [--ext EXT] SKIN",
     "print a package's information and sections, or a skin's information", InfoVerb},
    {"skins", "FOLDER EXT", "list the skins of a skins folder, one per line", SkinsVerb},
    {"check", "[--map MAP] (FOLDER EXT SKIN | DEFINITION)",
     "load a skin and report every problem its author should fix", CheckVerb},
};

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: skinpack VERB ARGUMENTS...\n\n"
                      "Builds, lists, extracts, examines and checks skin packages.\n\n"
                      "verbs:\n");
    for (const Verb& verb : kVerbs) {
        std::string call = std::string(verb.name) + " " + verb.usage;
        std::fprintf(out, "  %-34s %s\n", call.c_str(), verb.summary);
    }
    std::fprintf(out, "\nskinpack VERB --help shows the usage of one verb.\n");
}

const Verb* FindVerb(const char* name) {
    for (const Verb& verb : kVerbs)
        if (std::strcmp(verb.name, name) == 0) return &verb;
    return nullptr;
}

bool IsHelp(const char* arg) {
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 ||
           std::strcmp(arg, "help") == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (IsHelp(argv[1])) {
        PrintUsage(stdout);
        return kExitOk;
    }
    const Verb* verb = FindVerb(argv[1]);
    if (!verb) {
        std::fprintf(stderr, "skinpack: unknown verb %s (skinpack --help lists the verbs)\n",
                     Quoted(argv[1]).c_str());
        return kExitUsage;
    }
    Invocation call{verb->name, verb->usage, std::vector<std::string>(argv + 2, argv + argc)};
    if (call.args.size() == 1 && IsHelp(call.args[0].c_str()) && call.args[0] != "help") {
        std::printf("usage: skinpack %s %s\n  %s\n", verb->name, verb->usage, verb->summary);
        return kExitOk;
    }
    int status = verb->run(call);
    if (!FlushOutput()) return Fail("cannot write to standard output");
    return status;
}
