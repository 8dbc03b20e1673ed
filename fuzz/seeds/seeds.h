// Seed corpora for the fuzz targets. Each target's seed writer registers itself here; the
// fuzzseeds program runs them all, writing into <corpus>/<target>/.
#pragma once

#include <string>
#include <vector>

using SeedWriter = void (*)(const std::string& folder);

struct SeedRegistration {
    SeedRegistration(const char* target, SeedWriter writer);
};

// Writes one seed file into folder.
void WriteSeed(const std::string& folder, const std::string& name, const std::vector<unsigned char>& bytes);

#define REGISTER_SEEDS(target, writer) static SeedRegistration seedRegistration_##target(#target, writer)
