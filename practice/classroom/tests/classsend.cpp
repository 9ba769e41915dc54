// A learner's Wordwell for the class's crash and load tests:
//   classsend <history> <count>
// keeps <count> results for the class in WW_CLASS_DATABASE (reached through
// libpq's PG* variables), then sends until none wait.
#include "practice/classroom/classsender.h"
#include "practice/history/resultkeeper.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    practice::history::ClassConnection where;
    where.database = qEnvironmentVariable("WW_CLASS_DATABASE");
    CResultKeeper keeper(args[1]);
    keeper.SetClass(where.Key());
    for (int n = 1; n <= args[2].toInt(); ++n) {
        practice::review::CTestRecord test;
        test.Start(QStringLiteral("Learner"), QStringLiteral("/lists/%1.spl").arg(n % 3), 10, false);
        for (int w = 1; w <= 10; ++w)
            test.Answer(QStringLiteral("word%1").arg(w), QStringLiteral("word%1").arg(w % 4 ? w : 0), w % 4 != 0);
        test.Finish();
        QString error;
        if (!keeper.Keep(test, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    practice::classroom::CClassSender sender(args[1], where);
    // A server that is away is asked again soon, not after the usual wait.
    QObject::connect(&sender, &practice::classroom::CClassSender::Waiting, &app,
                     [&](int count, const QString& problem) {
                         if (count == 0)
                             return app.quit();
                         std::fprintf(stderr, "%s\n", qPrintable(problem));
                         QTimer::singleShot(200, &sender, &practice::classroom::CClassSender::SendNow);
                     });
    sender.SendNow();
    return app.exec();
}
