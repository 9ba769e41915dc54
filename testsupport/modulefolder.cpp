#include "testsupport/modulefolder.h"

#include "platform/modules/modules.h"

#include <QFile>

using platform::modules::kModuleFolderVariable;

ScopedModuleFolder::ScopedModuleFolder(const QString& folder)
    : m_previous(qgetenv(kModuleFolderVariable)), m_wasSet(qEnvironmentVariableIsSet(kModuleFolderVariable))
{
    if (folder.isEmpty())
        qunsetenv(kModuleFolderVariable);
    else
        qputenv(kModuleFolderVariable, QFile::encodeName(folder));
}

ScopedModuleFolder::~ScopedModuleFolder()
{
    if (m_wasSet)
        qputenv(kModuleFolderVariable, m_previous);
    else
        qunsetenv(kModuleFolderVariable);
}
