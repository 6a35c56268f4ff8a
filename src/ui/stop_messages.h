// The program's own stop messages, all by one rule (the editor's long-standing messages keep
// their texts, in message_texts.h). A stop message shows, in this order:
//   what happened, naming the file or package it concerns;
//   the one next step;
//   the stop line, which the driver chooses by what the run has changed so far (StopLine).
// Its icon: kStopIcon for a fault of the package or of the machine (a path too long, the
// registry, a menu changed meanwhile), kWarningIcon for a failed file operation,
// kInformationIcon where nothing is at fault (another run of the package is going on). Texts
// are half-width katakana, and files are named by their real names.
#pragma once

#include <cstddef>

#include "common/text.h"
#include "ui/message_texts.h"

namespace aof {

// What a run that stops now leaves behind, by what it has changed so far: 中止 before any
// change, 中断 after, in the setup's or the uninstall's words. The next run of the package
// completes what a stopped run began.
enum StopLine : unsigned char {
    kLineSetupCancelled,     // nothing changed yet (at start-up, before the mode is decided, a
                             // run is a setup)
    kLineUninstallCancelled, // an uninstall before any change
    kLineMacroFolderMade,    // a setup that has only made the editor's macro folder
    kLineCopiesStay,         // a setup after its first folders, deletions or copies
    kLineFilesStay,          // an uninstall after the menu entries went, the files all there
    kLineInDeletion,         // an uninstall while files are deleted
    kLineDeleted,            // an uninstall whose files are gone, its record not yet
    kLineSetupGoesOn,        // not a stop: the setup goes on
    kLineCount
};

// The text of each line.
extern const char *const kStopLines[kLineCount];

// Follows a next step that ends in "て".
inline constexpr char kRunAgain[] = "から、もう一度実行してください。";

constexpr unsigned char kStopIcon = 0x10;        // MB_ICONSTOP
constexpr unsigned char kWarningIcon = 0x30;     // MB_ICONEXCLAMATION
constexpr unsigned char kInformationIcon = 0x40; // MB_ICONINFORMATION

struct StopMessage {
    const char *what; // may name a file or package (%s), as the row's comment says
    const char *next; // may name a file too, after those of what
    bool runAgain;    // the next step goes on with kRunAgain
    unsigned char icon;
};

enum StopId {
    kStopPathTooLong,
    kStopUninstallInfoPathTooLong,
    kStopEntryPathTooLong,
    kStopMacroFolderTooLong,
    kStopEditorFolderUnknown,
    kStopSharedUninstallInfo,
    kStopRunAlreadyGoing,
    kStopMenuChanged,
    kStopRecordUnreadable,
    kStopRecordUnwritable,
    kStopFileUnreadable,
    kStopUninstallInfoCopyFailed,
    kStopProgramCopyFailed,
    kStopResumeWithoutFiles,
    kStopCount
};

// One row each, in the order of StopId, with its icon and next step (stop_messages.cpp).
extern const StopMessage kStopMessages[kStopCount];

// Holds what happened and the next step with two paths, and the longest stop line.
constexpr std::size_t kStopTextSize = 2 * kPathSize + 512;

// The whole message: what happened, a line break, the next step, an empty line, the stop
// line. first and second fill in the row's %s, in order; out holds kStopTextSize bytes. Gives
// the icon to show it with.
unsigned char ComposeStopMessage(char *out, StopId stop, StopLine line, const char *first = nullptr,
                                 const char *second = nullptr);

} // namespace aof
