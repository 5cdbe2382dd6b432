#pragma once
// The country of a spotted call for the spot list: the longest prefix of the country list that
// begins the call, compared exactly (letter case matters), searched from the estimated block of
// the call's first character.

#include <QString>

class CountryList;

// The country name, or "" when no prefix matches. A suffix after the first slash of more than
// one character and shorter than half the call is looked up instead of the call; a KG4 call of
// six or more characters that matched anything is "USA".
QString countryForDXSpot(const CountryList &list, const QString &call);
