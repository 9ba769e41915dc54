// A writer for the history's concurrency and crash test:
//   historysaver <database> <learner> <count>
// saves <count> results of 20 words each, or without end for 0.
#include "practice/history/resultkeeper.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    CResultKeeper keeper(args[1]);
    const int count = args[3].toInt();
    for (int n = 1; count == 0 || n <= count; ++n) {
        practice::review::CTestRecord test;
        test.Start(args[2], QStringLiteral("/lists/%1.spl").arg(n), 20, false);
        for (int w = 1; w <= 20; ++w)
            test.Answer(QStringLiteral("word%1").arg(w), QStringLiteral("word%1").arg(w % 3 ? w : 0), w % 3 != 0);
        test.Finish();
        QString error;
        if (!keeper.Keep(test, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
