// The run in progress: how a run that ended early is told from a finished one, and how a run
// still alive is told from one that ended early.
//
// Before its first change a run of SETUP.EXE writes a marker into the package record (per user,
// per package) and takes it away as its last step. A marker found at start-up therefore
// belongs to a run that ended before it was done: the process was ended, the machine went
// down. The next run of the same package then carries out that run again from the start,
// whatever the record and the uninstall-info copy say meanwhile, and every step of it gives
// the same result a second time: the installed-user count is taken from the marker (the
// count before the first run), not from a copy the first run may already have changed.
//
// Packages without InternalName share one record key and so one marker; the marker names its
// package by the path of its uninstall-info copy, and another package's marker is not taken.
// A run of one such package replaces the marker of another that ended early: that one is then
// not completed by its next run, as nothing of such a package's record is its own anyway.
//
// A run still alive holds the run lock, a named mutex per record key: a second run of the
// package is refused while it lives, and takes over a lock left by a run that ended early.
#pragma once

#include <cstddef>

#include "common/text.h"

namespace aof {

constexpr char kRunMarkerValue[] = "RunInProgress";

enum RunKind { kInstallRun, kUpdateRun, kUninstallRun };

struct RunMarker {
    RunKind kind;
    unsigned version; // MacroVersion of the package being installed, updated or uninstalled
    unsigned users;   // the installed-user count before the run
    char uninstallCopy[kPathSize];
};

// The marker's text: "install 3 1 C:\...\SETUP.AFU" (kind, version, count, copy). Holds
// kRunMarkerSize bytes.
constexpr std::size_t kRunMarkerSize = 40 + kPathSize;
void ComposeRunMarker(char *out, const RunMarker &marker);

// False for a text that is no marker.
bool ParseRunMarker(const char *text, RunMarker &marker);

// Whether the marker is that of a run of this package and version: the run it stands for is
// the run this one carries out.
bool IsMarkerOf(const RunMarker &marker, const char *uninstallCopy, unsigned version);

// The name of the run lock of a record key path: "AofMacroSetup." and a number, the same for
// every spelling of the path in ASCII letter case. Holds kRunLockNameSize bytes.
constexpr std::size_t kRunLockNameSize = 28;
void ComposeRunLockName(char *out, const char *recordKeyPath);

} // namespace aof
