#include "practice/testview/testmessages.h"

namespace practice::testview {

QString FormatScore(int correct, int words)
{
    if (words <= 0)
        return QString();
    const auto percent = static_cast<float>(static_cast<double>(correct) / words * 100.0);
    return QString::asprintf("%3.2f %%", static_cast<double>(percent));
}

}  // namespace practice::testview
