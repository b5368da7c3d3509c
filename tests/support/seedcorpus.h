#ifndef SEEDCORPUS_H
#define SEEDCORPUS_H

#include <string>
#include <vector>

// Wire streams of every frame kind the module and the window exchange, and
// of the malformed cases the decoder must survive: the fuzzers start from
// these, and the regression test replays them.
struct Seed
{
    std::string name;
    std::string wire;
};

std::vector<Seed> seedCorpus();

#endif
