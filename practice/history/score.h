#pragma once

// A test's score as the form shows it: the share of the list's words answered
// right, in percent, rounded to single precision; 0 for a list of no words.
namespace practice::history {

inline double ScorePercent(int right, int words)
{
    return words > 0 ? static_cast<double>(static_cast<float>(static_cast<double>(right) / words * 100.0)) : 0.0;
}

}  // namespace practice::history
