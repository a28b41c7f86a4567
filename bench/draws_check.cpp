// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Checks the shuffle's whole-number draw against the double formula for every value rand() can
// return, for every pair count a board can have (some 13 billion cases, a minute on two cores).
#include "tandrel.h"

#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

int main()
{
    const std::vector<int> pairCounts = {2, 8, 18, 32, 50, 72};
    std::vector<long long> mismatches(pairCounts.size());
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < pairCounts.size(); ++i) {
        workers.emplace_back([&, i] {
            const int pairs = pairCounts[i];
            for (long long v = 0; v <= 2147483647LL; ++v) {
                const int formula = int(std::ceil(double(v) / 2147483647.0 * pairs) - 1.0);
                mismatches[i] += Zufallsmatrix::pairForDraw(v, pairs) != formula;
            }
        });
    }
    long long total = 0;
    for (std::size_t i = 0; i < workers.size(); ++i) {
        workers[i].join();
        std::printf("%2d pairs: %lld mismatches in 2147483648 values\n", pairCounts[i],
                    mismatches[i]);
        total += mismatches[i];
    }
    return total == 0 ? 0 : 1;
}
