#pragma once

#include "testsupport/practice/viewfixture.h"

#include <QString>
#include <QStringList>

#include <memory>

class CPracticeApp;

// The sample list.
const QString kSample = QStringLiteral(WW_SOURCE_DIR "/samples/Sample.spl");

// Starts Wordwell on `arguments` with the source tree's help file and waits for
// its main window. False when it does not start; `app` is kept either way.
bool StartWordwell(std::unique_ptr<CPracticeApp>& app, const QStringList& arguments);
