#include "testsupport/classcluster.h"

#include <QAtomicInt>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace classcluster {

namespace {

const QString kScripts = QStringLiteral(WW_SOURCE_DIR "/scripts");

// Runs a command in the administrator's environment; its output, or the test fails.
QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessEnvironment(Admin());
    process.start(program, args);
    const bool done = process.waitForFinished(60000);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    if (!done || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("%s %s failed: %s", qPrintable(program), qPrintable(args.join(' ')),
               qPrintable(QString::fromUtf8(process.readAllStandardError())));
    return output;
}

QString pgCtl(const QString& what)
{
    return run(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("source '%1/class-cluster.sh' && ww_class_in "
                                                                             "\"$PGHOST\" \"$(ww_class_bin)/pg_ctl\" %2 "
                                                                             "-w -D \"$PGHOST/data\" -l \"$PGHOST/server.log\"")
                                                                  .arg(kScripts, what)});
}

}  // namespace

QProcessEnvironment Admin()
{
    QFile file(qEnvironmentVariable("WW_CLASS_CLUSTER_ENV"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The class cluster is not running: WW_CLASS_CLUSTER_ENV names no file (CTest's fixture starts it).");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            env.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
    }
    return env;
}

QString CreateClass()
{
    static QAtomicInt next;
    const QString name =
        QStringLiteral("c%1_%2").arg(QCoreApplication::applicationPid()).arg(next.fetchAndAddRelaxed(1));
    run(kScripts + QStringLiteral("/class-server"), {QStringLiteral("create"), name});
    return name;
}

Member AddMember(const QString& cls, const QString& role, const QString& name, bool teacher)
{
    const QString said = run(kScripts + QStringLiteral("/class-server"),
                             {teacher ? QStringLiteral("add-teacher") : QStringLiteral("add-learner"), cls, role, name});
    const QRegularExpressionMatch password = QRegularExpression(QStringLiteral("password=(\\S+)")).match(said);
    if (!password.hasMatch())
        qFatal("class-server printed no password: %s", qPrintable(said));
    const QProcessEnvironment admin = Admin();
    return {{QString(), admin.value(QStringLiteral("PGHOST")), admin.value(QStringLiteral("PGPORT")).toInt(), cls, role},
            password.captured(1)};
}

QStringList AdminRows(const QString& cls, const QString& sql)
{
    return run(QStringLiteral("psql"), {QStringLiteral("-XtA"), QStringLiteral("-d"), cls, QStringLiteral("-c"), sql})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void StopServerAtOnce()
{
    pgCtl(QStringLiteral("stop -m immediate"));
}

void StartServer()
{
    pgCtl(QStringLiteral("start"));
}

}  // namespace classcluster
