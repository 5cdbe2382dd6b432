#pragma once
// Code practice texts: random groups drawn from the practice characters.

#include <QString>

#include <array>
#include <cstdint>

// Entries 1 to 26 "A" to "Z", 27 to 36 "0" to "9", then ".", ",", "?", "/", "-" (41); entry 0 and
// 42 to 45 stay empty.
std::array<QString, 46> codePracticeChars();

inline constexpr int kPracticeLetters = 26;
inline constexpr int kPracticeAll = 41;

// `groups` groups of `perGroup` characters, each group followed by a blank; every character is
// entry (whole part of r * alphabet) + 1, r uniform in [0, 1) from a generator seeded with `seed`.
// Fractional counts count up to their whole part.
QString randomGroups(double groups, double perGroup, int alphabet, std::uint64_t seed);
