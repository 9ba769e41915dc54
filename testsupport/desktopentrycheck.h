#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Checks of a written desktop entry with the desktop's own tools.

// desktop-file-validate's complaints; empty when it accepts the file (warnings
// and hints are not complaints).
QString DesktopEntryErrors(const QString& entryFile);

// Launches the entry as a desktop would (gio launch), given `files` as a file
// manager gives them, and waits for the started program to write the marker
// file; the marker's contents, or an empty string.
QString LaunchDesktopEntry(const QString& entryFile, const QString& markerFile, const QStringList& files = {});

// The file's type as GLib tells it from the MIME databases of this session's
// XDG folders (gio info), e.g. "application/x-wordwell-spelling-list".
QString ContentTypeOf(const QString& file);
// The desktop entries GLib registers for the type (gio mime), by their ids
// ("Tolvane-Wordwell-Wordwell.desktop" for the group's entry).
QStringList ApplicationsFor(const QString& mimeType);
// The icon names GLib gives the file, best first (from the type's own icon).
QStringList IconNamesOf(const QString& file);

// The text of a shell script that writes its working folder and then its own
// path followed by its arguments (one line each) to the file named by $WW_MARKER.
extern const QByteArray kMarkerProgram;
// That script, written to `path` as an executable file.
void WriteMarkerProgram(const QString& path);
