// Writes the seed corpus: DIR/window/NAME holds the wire bytes, and
// DIR/decoder/NAME the same behind the byte that chooses the read blocks;
// DIR/watch/NAME a shared session's message behind the byte that chooses
// its topic.
#include "seedcorpus.h"

#include <cstdio>
#include <cstring>
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
    const char *messages[] = {
        "\0{\"ms\":1700000000123,\"seq\":12,\"volt1\":140,\"volt2\":96,\"linkq\":200,\"linkql\":180,"
        "\"units\":{\"volt1\":{\"name\":\"RX\",\"unit\":\"V\",\"value\":5.49}}}",
        "\1" "0A FF 7E",
        "\2[{\"value\":110,\"comparison\":0,\"level\":2,\"tripped\":false},null,null,null]",
        "\3{\"volt1\":{\"name\":\"RX\",\"unit\":\"V\",\"raw1\":0,\"value1\":0,\"raw2\":156,"
        "\"value2\":6.12,\"decimals\":2}}",
        "\4offline",
    };
    std::filesystem::create_directories(root / "watch");
    for (std::size_t i = 0; i < std::size(messages); ++i) {
        const std::string message(messages[i], 1 + std::strlen(messages[i] + 1));
        std::ofstream(root / "watch" / ("message-" + std::to_string(i)), std::ios::binary) << message;
    }
    std::printf("%zu seeds in %s\n", seeds.size(), argv[1]);
    return 0;
}
