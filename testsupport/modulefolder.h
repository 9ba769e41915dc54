#pragma once

#include <QByteArray>
#include <QString>

// Points the program at another folder of modules (platform/modules) for the
// life of the object: one without a module, or with a damaged one.
class ScopedModuleFolder {
public:
    explicit ScopedModuleFolder(const QString& folder);
    ~ScopedModuleFolder();
    ScopedModuleFolder(const ScopedModuleFolder&) = delete;
    ScopedModuleFolder& operator=(const ScopedModuleFolder&) = delete;

private:
    QByteArray m_previous;
    bool m_wasSet;
};
