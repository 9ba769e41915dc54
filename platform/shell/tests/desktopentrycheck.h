#pragma once

#include <QString>

// Checks of a written desktop entry with the desktop's own tools.

// desktop-file-validate's complaints; empty when it accepts the file (warnings
// and hints are not complaints).
QString DesktopEntryErrors(const QString& entryFile);

// Launches the entry as a desktop would (gio launch) and waits for the started
// program to write the marker file; the marker's contents, or an empty string.
QString LaunchDesktopEntry(const QString& entryFile, const QString& markerFile);

// A shell script at `path` that writes its working folder and its own path
// (one per line) to the file named by $WW_MARKER.
void WriteMarkerProgram(const QString& path);
