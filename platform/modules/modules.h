#pragma once

#include <QString>

// The program's own modules: parts of it kept out of the process until first
// used, so that start-up does not load the libraries they need. They are
// installed beside the program.
namespace platform::modules {

// When set, the folder the modules are taken from instead (the build's tests
// and benchmarks run far from the folder the modules are built into).
inline constexpr char kModuleFolderVariable[] = "WORDWELL_MODULE_DIR";

// $WORDWELL_MODULE_DIR, or the program's own folder, + '/' + `fileName`.
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
