#include "practice/review/score.h"

namespace practice::review {

double ScorePercent(int right, int words)
{
    return words > 0 ? static_cast<double>(static_cast<float>(static_cast<double>(right) / words * 100.0)) : 0.0;
}

QString FormatScore(int right, int words)
{
    return words > 0 ? QString::asprintf("%3.2f %%", ScorePercent(right, words)) : QString();
}

}  // namespace practice::review
