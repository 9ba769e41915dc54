#pragma once

#include <QString>

// A test's score, the one rule the form, the review, the history and its
// store share: the share of the list's words answered right, in percent.
namespace practice::review {

// Rounded to single precision, as the form has always computed it; 0 for a
// list of no words.
double ScorePercent(int right, int words);

// As the form shows it, with two decimals: 1 of 3 is "33.33 %"; empty for a
// list of no words.
QString FormatScore(int right, int words);

}  // namespace practice::review
