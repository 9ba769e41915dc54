#pragma once

#include "practice/history/classstore.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The private PostgreSQL cluster the class suites run against: started for
// the run by CTest's fixture, which names its settings file in
// WW_CLASS_CLUSTER_ENV. Each test makes classes of its own on it through the
// administrator's script, so no test sees another's rows.
namespace classcluster {

struct Member {
    practice::history::ClassConnection where;
    QString password;
};

// The administrator's libpq settings (PGHOST, PGPORT, PGUSER, PGPASSWORD);
// fails the test when the fixture is not running.
QProcessEnvironment Admin();
// A new class with a name of its own.
QString CreateClass();
Member AddMember(const QString& cls, const QString& role, const QString& name, bool teacher);
// Runs `sql` in the class's database as its administrator; the rows, one
// string each (columns joined by '|').
QStringList AdminRows(const QString& cls, const QString& sql);
// Stops the server at once, as a crash or a pulled cable would, and starts it again.
void StopServerAtOnce();
void StartServer();

}  // namespace classcluster
