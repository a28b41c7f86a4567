// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

// Feeds arbitrary command-line arguments to the board-size parser and checks every answer against
// a plain statement of the rule, and against atoi() wherever atoi() is defined.
#include "boardsize.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// White space, a sign, digits; a number past int is refused; the board takes 2, 4, ... 12.
std::optional<int> ruleFor(const std::string &text)
{
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos)
        return std::nullopt;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-')
        ++i;
    const std::size_t end = text.find_first_not_of("0123456789", i);
    std::string digits = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > 10)
        return std::nullopt;
    long long value = digits.empty() ? 0 : std::stoll(digits);
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;

    if (value != std::atoi(text.c_str())) {
        std::fprintf(stderr, "the rule reads %lld where atoi reads %d\n", value,
                     std::atoi(text.c_str()));
        std::abort();
    }
    if (value < 2 || value > 12 || value % 2 != 0)
        return std::nullopt;
    return int(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // An argument is a C string: it ends at the first NUL.
    std::string text(reinterpret_cast<const char *>(data), size);
    text.resize(std::min(text.size(), text.find('\0')));

    const std::optional<int> parsed = boardSizeFromArgument(text.c_str());
    const std::optional<int> expected = ruleFor(text);
    if (parsed != expected) {
        std::fprintf(stderr, "'%s': parser gives %d, the rule %d (0: refused)\n", text.c_str(),
                     parsed.value_or(0), expected.value_or(0));
        std::abort();
    }
    return 0;
}
