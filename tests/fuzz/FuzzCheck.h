#pragma once
// What a fuzz target asserts: a broken property aborts with its description,
// so libFuzzer (or the replay run) reports the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace vandir::fuzz {

inline void Check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "fuzz property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace vandir::fuzz
