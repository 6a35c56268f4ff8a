// The checker's diagnostics: codes, texts, the list a check run fills, and the lines printed
// in the form that build tools use ("SETUP.AFU(12): error A101: ...").
#pragma once

#include <cstddef>

namespace aof {

// Errors (A1xx): the setup program refuses the file or installs nothing sensible.
// Warnings (A2xx): it installs, but not what the author meant.
enum DiagnosticCode {
    kFileUnreadable = 100,
    kBadSetupVersion = 101,
    kBadMacroVersion = 102,
    kNoFirstMacro = 103,
    kUtf8WithoutBomFile = 104,
    kInvalidCodePage932 = 105,
    kSourceMissing = 106,
    kPathOverLimit = 107,
    kNoSuchFolder = 108,
    kDestinationFolder = 109,
    kDriveInPath = 110,
    kVariableInOtherCase = 111,
    kSlashInPath = 112,
    kEntryNeverUsed = 201,
    kKeyNeverRead = 202,
    kUnknownKey = 203,
    kUnknownSection = 204,
    kRepeatedKey = 205,
    kRepeatedSection = 206,
    kValueCut = 207,
    kNotYesOrNo = 208,
    kNoFinalBackslash = 209,
    kNoInternalName = 210,
    kSharedUninstallInfo = 211,
    kClimbsOut = 212,
    kSameDestination = 213,
    kDirectoryGap = 214,
    kShellFileOutside = 215,
    kByteOrderMark = 216,
    kNotDecimal = 217,
    kCommentInValue = 218,
    kQuotedValue = 219,
    kEmptyMacroTitle = 220,
    // AFUCHECK /UPDATE OLD NEW: what an update from OLD to NEW leaves wrong.
    kFileLeftBehind = 221,
    kMenuEntryChanged = 222,
    kMacroAdded = 223,
    kMacroRemoved = 224,
    kVersionNotRaised = 225,
};

bool IsErrorCode(int code);
const char *DiagnosticText(int code); // short Japanese text

constexpr std::size_t kDetailSize = 640;
constexpr unsigned kMaxDiagnostics = 200;

struct Diagnostic {
    int code;
    unsigned line; // 0: the file as a whole
    char detail[kDetailSize];
};

struct DiagnosticList {
    Diagnostic items[kMaxDiagnostics];
    unsigned count;
    unsigned dropped;       // found beyond kMaxDiagnostics; still counted
    unsigned droppedErrors; // those of them that are errors
};

void ClearDiagnostics(DiagnosticList &list);
// Adds one diagnostic; detail is printed after the text (cut to kDetailSize).
void AddDiagnostic(DiagnosticList &list, int code, unsigned line, const char *detail);
void SortDiagnostics(DiagnosticList &list); // by line, stable

struct DiagnosticCounts {
    unsigned errors;
    unsigned warnings;
};

// With warningsAsErrors every warning counts, and is printed, as an error.
DiagnosticCounts CountDiagnostics(const DiagnosticList &list, bool warningsAsErrors);

constexpr std::size_t kLineSize = 1400;

// "FILE(LINE): error A101: TEXT: DETAIL\r\n" (no "(LINE)" for line 0).
void FormatDiagnostic(char *out, const char *file, const Diagnostic &item, bool warningsAsErrors);

// "FILE: エラー N 件、警告 M 件\r\n"
void FormatSummary(char *out, const char *file, DiagnosticCounts counts);

// 0 clean, 1 warnings only, 2 errors.
int ExitCodeFor(DiagnosticCounts counts);

} // namespace aof
