#include "practice/ui/commandlineanswer.h"

#include <cstring>

namespace practice::ui {

namespace {

// Setup's words folder is the installation folder (it makes Words there); a
// packaged installation has none recorded and takes Setup's proposal.
constexpr char kHelp[] =
    "Usage: Wordwell [file]\n"
    "Spelling practice with recorded words.\n"
    "\n"
    "  file           a spelling list (.spl) to open; a spelling list with its\n"
    "                 recordings (.splz), whose recordings go into the words folder;\n"
    "                 or Wordwell.hlp, shown in the Help Topics window alone\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Recordings are kept in the words folder, one <word>.wav each:\n"
    "  installed with Setup:    <installation folder>/Words, the folder chosen in Setup\n"
    "                           (by default ~/.local/share/Tolvane/Wordwell/Words)\n"
    "  installed as a package:  $XDG_DATA_HOME/Tolvane/Wordwell/words\n"
    "                           (~/.local/share/Tolvane/Wordwell/words)\n"
    "Test results are kept in $XDG_DATA_HOME/Tolvane/Wordwell Practice/History.sqlite,\n"
    "the settings in $XDG_CONFIG_HOME/Tolvane/Registry. See Wordwell(1).\n";

}  // namespace

std::optional<QByteArray> CommandLineAnswer(int argc, const char* const* argv)
{
    if (argc != 2)
        return std::nullopt;
    const char* argument = argv[1];
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)
        return QByteArray(kHelp);
    if (std::strcmp(argument, "--version") == 0)
        return QByteArray("Wordwell " WW_VERSION "\n");
    return std::nullopt;
}

}  // namespace practice::ui
