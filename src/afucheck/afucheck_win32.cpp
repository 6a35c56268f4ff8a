#include "afucheck/afucheck_win32.h"

#include "afucheck/diagnostics.h"
#include "afucheck/plan_win32.h"
#include "afucheck/setup_info_check_win32.h"
#include "common/format.h"
#include "common/text.h"

#include <cstdlib>
#include <windows.h>

namespace aof {

namespace {

constexpr char kUsage[] =
    "使い方: AFUCHECK [/WX] [/Q] [/PLAN] [/UPDATE 旧版\\SETUP.AFU] [パス\\SETUP.AFU]\r\n"
    "  /WX     警告もエラーとして扱う\r\n"
    "  /Q      まとめの行だけを表示する\r\n"
    "  /PLAN   この PC でインストールが何をするかを表示する (何も変更しません)\r\n"
    "  /UPDATE 旧版からのアップデートが利用者の PC に残す問題も調べる\r\n"
    "終了コード: 0 問題なし、1 警告のみ、2 エラーあり\r\n";

struct Options {
    bool warningsAsErrors;
    bool quiet;
    bool plan;
    bool help;
    const char *path;
    const char *oldPath; // /UPDATE: the old version's setup-info file
};

bool IsOption(const char *argument, const char *name) {
    return (argument[0] == '/' || argument[0] == '-') &&
           EqualsIgnoringAsciiCase(argument + 1, name);
}

// False on an unknown option or a second path.
bool ReadOptions(int count, char **arguments, Options &options) {
    options = Options{false, false, false, false, nullptr, nullptr};
    for (int i = 0; i < count; ++i) {
        const char *argument = arguments[i];
        if (IsOption(argument, "UPDATE") && i + 1 < count && options.oldPath == nullptr)
            options.oldPath = arguments[++i];
        else if (IsOption(argument, "WX"))
            options.warningsAsErrors = true;
        else if (IsOption(argument, "Q"))
            options.quiet = true;
        else if (IsOption(argument, "PLAN"))
            options.plan = true;
        else if (IsOption(argument, "?") || IsOption(argument, "help"))
            options.help = true;
        else if (argument[0] != '/' && options.path == nullptr)
            options.path = argument;
        else
            return false;
    }
    if (options.path == nullptr)
        options.path = "SETUP.AFU";
    return true;
}

void PrintDiagnostics(const DiagnosticList &list, const char *shown, bool warningsAsErrors,
                      const TextSink &sink) {
    char line[kLineSize];
    for (unsigned i = 0; i < list.count; ++i) {
        FormatDiagnostic(line, shown, list.items[i], warningsAsErrors);
        WriteText(sink, line);
    }
    if (list.dropped != 0) {
        char count[11];
        FormatDecimal(count, list.dropped);
        FormatText(line, sizeof line, "%s: ほかに %s 件の問題があります (表示は %d 件まで)\r\n",
                   shown, count, static_cast<int>(kMaxDiagnostics));
        WriteText(sink, line);
    }
}

bool TakeFullPath(const char *given, char *path) {
    DWORD length = GetFullPathNameA(given, kPathSize, path, nullptr);
    return length != 0 && length < kPathSize;
}

} // namespace

int RunChecker(int count, char **arguments, const TextSink &sink) {
    Options options;
    if (!ReadOptions(count, arguments, options) || options.help) {
        WriteText(sink, kUsage);
        return options.help ? 0 : 2;
    }
    char path[kPathSize];
    char oldPath[kPathSize];
    auto *list = static_cast<DiagnosticList *>(std::malloc(sizeof(DiagnosticList)));
    if (!TakeFullPath(options.path, path) ||
        (options.oldPath != nullptr && !TakeFullPath(options.oldPath, oldPath)) ||
        list == nullptr) {
        WriteText(sink, "AFUCHECK: パスが長すぎるか、メモリが足りません\r\n");
        std::free(list);
        return 2;
    }
    Machine machine;
    ReadMachine(machine);
    CheckSetupInfo(path, machine, *list, options.oldPath != nullptr ? oldPath : nullptr);
    DiagnosticCounts counts = CountDiagnostics(*list, options.warningsAsErrors);
    if (!options.quiet)
        PrintDiagnostics(*list, options.path, options.warningsAsErrors, sink);
    if (options.plan && !options.quiet) {
        if (CountDiagnostics(*list, false).errors == 0)
            PrintPlan(path, machine, sink);
        else
            WriteText(sink, "\r\n/PLAN: エラーがあるため、SETUP.EXE はインストールしません\r\n");
    }
    char summary[kLineSize];
    FormatSummary(summary, options.path, counts);
    WriteText(sink, options.plan && !options.quiet ? "\r\n" : "");
    WriteText(sink, summary);
    ReleaseMachine(machine);
    std::free(list);
    return ExitCodeFor(counts);
}

} // namespace aof
