#pragma once
// Minimum, median and maximum of a benchmark's samples.

#include <algorithm>
#include <vector>

namespace vandir::bench {

struct Summary {
    double minimum = 0;
    double median = 0;
    double maximum = 0;
};

// The median of an even count is the mean of the middle two. No samples give
// zeros.
inline Summary Summarise(std::vector<double> samples) {
    if (samples.empty()) {
        return {};
    }
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    const double median =
        samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    return {samples.front(), median, samples.back()};
}

}  // namespace vandir::bench
