#include "seeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

std::vector<std::pair<std::string, SeedWriter>>& Writers() {
    static std::vector<std::pair<std::string, SeedWriter>> writers;
    return writers;
}

} // namespace

SeedRegistration::SeedRegistration(const char* target, SeedWriter writer) {
    Writers().emplace_back(target, writer);
}

void WriteSeed(const std::string& folder, const std::string& name,
               const std::vector<unsigned char>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzzseeds CORPUS-FOLDER\n");
        return 2;
    }
    for (auto& [target, writer] : Writers()) {
        std::string folder = std::string(argv[1]) + "/" + target;
        std::filesystem::create_directories(folder);
        writer(folder);
    }
    return 0;
}
