#pragma once

#include <QString>

// The program's own modules: parts of it kept out of the process until first
// used, so that start-up does not load the libraries they need. They are
// installed beside the program.
namespace platform::modules {

// When set, the folder the modules are taken from instead (the build's tests
// and benchmarks run far from the folder the modules are built into).
inline constexpr char kModuleFolderVariable[] = "WORDWELL_MODULE_DIR";

// Where the Debian package puts the modules and the help files, relative to
// the program's folder (/usr/bin): /usr/lib/<multiarch>/wordwell and
// /usr/share/wordwell. Setup puts all of them beside the program.
extern const QString kPackagedModuleFolder;
extern const QString kPackagedDataFolder;

// `fileName` beside the program when it is there; else in `packagedFolder`
// (relative to the program's folder) when that folder exists, as it does in a
// packaged installation; else beside the program, where it is reported missing.
QString InstalledFilePath(const QString& programFolder, const QString& packagedFolder, const QString& fileName);

// $WORDWELL_MODULE_DIR + '/' + `fileName`, or the module's installed path.
QString ModulePath(const QString& fileName);

using EntryPoint = void (*)();

// Loads the module at `path` and finds its function `entryPoint`, or returns
// null with the reason: "the <kind> "<path>" could not be loaded (<why>)",
// `kind` being e.g. "sound module". A module once loaded stays loaded: objects
// it made may outlive any caller.
EntryPoint LoadModuleEntry(const QString& path, const char* entryPoint, const QString& kind, QString* reason);

// LoadModuleEntry for the module `fileName` at ModulePath(fileName), once:
// what was found is kept, a failure is tried again next time (so a module
// installed meanwhile is found). Main thread only.
EntryPoint ModuleEntry(const QString& fileName, const char* entryPoint, const QString& kind, QString* reason);

}  // namespace platform::modules
