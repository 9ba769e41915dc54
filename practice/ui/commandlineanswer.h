#pragma once

#include <QByteArray>

#include <optional>

namespace practice::ui {

// What Wordwell prints when started with --help (or -h) or --version as its
// only argument: it answers on the terminal and exits, before it needs a
// display. Nothing for any other command line.
std::optional<QByteArray> CommandLineAnswer(int argc, const char* const* argv);

}  // namespace practice::ui
