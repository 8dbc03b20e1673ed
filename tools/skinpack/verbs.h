// The verbs of skinpack. Each area keeps its verbs in a file of its own (archive_verbs.cpp;
// description_verbs.cpp and repository_verbs.cpp as they come) and declares them here; main.cpp
// lists every verb in its table. A verb returns the process's exit code (ExitCode).
#pragma once

#include "console.h"
#include "skindesc/skinmodel.h"

using VerbFunction = int (*)(const Invocation& call);

struct Verb {
    const char* name;    // as typed after "skinpack"
    const char* usage;   // its arguments, e.g. "PACKAGE FILE..."
    const char* summary; // one line for the usage text
    VerbFunction run;
};

// archive_verbs.cpp: packages as plain containers of named entries.
int CreateVerb(const Invocation& call);  // create PACKAGE FILE...
int ListVerb(const Invocation& call);    // list PACKAGE
int ExtractVerb(const Invocation& call); // extract PACKAGE ENTRY [-o OUT]

// description_verbs.cpp: skin definitions, descriptions and the packages built from them.
int BuildVerb(const Invocation& call);   // build DEFINITION (images converted on the way)
int ConvertVerb(const Invocation& call); // convert (--text|--record) IN OUT
int DumpVerb(const Invocation& call);    // dump PACKAGE
int InfoVerb(const Invocation& call);    // info PACKAGE | info --folder FOLDER [--ext EXT] SKIN
// The six information fields as "field: value" lines.
void InformationLines(const tagSKININFORMATION& info, CStringList& lines);

// repository_verbs.cpp: skins as the repository finds and loads them in a skins folder.
int SkinsVerb(const Invocation& call); // skins FOLDER EXT
int CheckVerb(const Invocation& call); // check FOLDER EXT SKIN
// info --folder FOLDER [--ext EXT] SKIN, after InfoVerb parsed the arguments.
int SkinInfoVerb(const Invocation& call, const Arguments& args);
