// SPDX-FileCopyrightText: 2026 The Tandrel developers
// SPDX-License-Identifier: MIT

#ifndef BOARDSIZE_H
#define BOARDSIZE_H

#include <optional>

// The board size that a command-line argument names, or nothing when the board cannot have it.
// The number is read as atoi() reads it: optional leading white space, an optional sign, then
// decimal digits up to the first other character, and no digits at all read as 0. A number beyond
// the range of int is refused rather than wrapped. Accepted sizes are the even numbers 2 to 12.
std::optional<int> boardSizeFromArgument(const char *argument);

#endif
