#pragma once

#include <QTemporaryDir>

// A home of the benchmark's own, made before the application object reads its
// folders: the program's settings, clips and history never reach the user's.
class PrivateHome {
public:
    PrivateHome();

private:
    QTemporaryDir m_dir;
};

// Runs the benchmarks the command line names (all by default); the exit code.
int RunBenchmarks(int argc, char** argv);
