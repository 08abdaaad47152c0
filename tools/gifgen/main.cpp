// gifgen: writes the mode illustrations and the application icon.
//
//   gifgen OUTPUT_DIRECTORY
//
// The generated files are committed under resources/ so that the Windows
// cross build needs no native tool; the unit tests check that they still
// match what this tool makes.

#include "GeneratedResources.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gifgen OUTPUT_DIRECTORY\n");
        return 2;
    }
    try {
        for (const gifgen::GeneratedFile& file : gifgen::GenerateResources()) {
            const std::string path = std::string(argv[1]) + "/" + file.FileName;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.Bytes.data()),
                      static_cast<std::streamsize>(file.Bytes.size()));
            if (!out) {
                std::fprintf(stderr, "gifgen: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s (%zu bytes)\n", path.c_str(), file.Bytes.size());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gifgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
