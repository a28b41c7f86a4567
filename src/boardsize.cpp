// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#include "boardsize.h"

#include <algorithm>
#include <climits>

namespace {

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> boardSizeFromArgument(const char *argument)
{
    if (!argument)
        return std::nullopt;

    const char *c = argument;
    while (isSpace(*c))
        ++c;
    const bool negative = *c == '-';
    if (*c == '+' || *c == '-')
        ++c;

    // Long runs of digits saturate just past int's range, so the sum can never overflow.
    constexpr long long beyondInt = static_cast<long long>(INT_MAX) + 2;
    long long magnitude = 0;
    for (; isDigit(*c); ++c)
        magnitude = std::min(magnitude * 10 + (*c - '0'), beyondInt);

    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    if (value < 2 || value > 12 || value % 2 != 0)
        return std::nullopt;
    return static_cast<int>(value);
}
