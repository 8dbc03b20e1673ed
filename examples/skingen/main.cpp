// skingen: makes a sample skin ready to pack. Reads a definition kept in UTF-8, writes it as
// a text-form description (UTF-16LE with its byte-order mark) into the output folder, and
// draws every bitmap the definition names there.
//
//   skingen DEFINITION OUTPUT-FOLDER
#include "generate.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen DEFINITION OUTPUT-FOLDER\n");
        return 2;
    }
    std::string error;
    if (!GenerateSkin(argv[1], argv[2], error,
                      [](const std::string& path) { std::printf("drew %s\n", path.c_str()); })) {
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
