// Writes the seed corpus: DIR/window/NAME holds the wire bytes, and
// DIR/decoder/NAME the same behind the byte that chooses the read blocks.
#include "seedcorpus.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::filesystem::create_directories(root / "decoder");
    std::filesystem::create_directories(root / "window");
    const std::vector<Seed> seeds = seedCorpus();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream(root / "window" / seeds[i].name, std::ios::binary) << seeds[i].wire;
        // Cuts from one byte at a time to whole blocks, spread over the seeds.
        const char cut = char(i * 37 % 256);
        std::ofstream(root / "decoder" / seeds[i].name, std::ios::binary) << cut << seeds[i].wire;
    }
    std::printf("%zu seeds in %s\n", seeds.size(), argv[1]);
    return 0;
}
