#include "afucheck/plan_win32.h"

#include "afucheck/setup_info_check_win32.h"
#include "common/format.h"
#include "common/registry_win32.h"
#include "driver/mode_decision.h"
#include "driver/run_plan.h"
#include "driver/startup_paths.h"
#include "editor/slot_allocation_win32.h"
#include "record/package_record_win32.h"
#include "record/record_key.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <cstring>

namespace aof {

namespace {

constexpr unsigned kPlanLineSize = 2 * kPathSize + 200;

struct Plan {
    const char *file;
    const Machine *machine;
    const TextSink *sink;
    FolderSet folders; // the machine's, or the variables themselves when it has no editor
    char setupFolder[kPathSize];
    char uninstallCopy[kPathSize];
    int macroCount;
    unsigned slots[kMaxMacros];
};

void Print(const Plan &plan, const char *format, const char *a = "", const char *b = "") {
    char line[kPlanLineSize];
    FormatText(line, sizeof line, format, a, b);
    WriteText(*plan.sink, line);
}

// A path as the program would use it: expanded, or marked when it does not fit.
void Expand(const Plan &plan, char *path) {
    char original[kPathSize];
    CopyText(original, sizeof original, path);
    if (!ExpandFolderVariablesWith(path, plan.folders, kMacroRelative))
        FormatText(path, kPathSize, "%s (長すぎるため処理されません)", original);
}

// False when SETUP.EXE would stop at the editor's state.
bool PrintMachine(const Plan &plan) {
    const Machine &machine = *plan.machine;
    if (!machine.tablesRead) {
        Print(plan,
              "青筆エディタ: メニューの表 (Assign.dat) が読めません (SETUP.EXE は中止します)\r\n");
        return false;
    }
    if (!machine.editorInstalled) {
        Print(plan, "青筆エディタ: インストールされていません (SETUP.EXE は中止します)。"
                    "パスはフォルダ変数のまま示します\r\n");
        return true;
    }
    Print(plan, "青筆エディタ: %s\r\n", machine.editorFolder);
    if (!machine.macroFolderKnown)
        Print(plan, "マクロフォルダ: 読めません (SETUP.EXE は中止します)\r\n");
    else if (machine.macroFolderFlag)
        Print(plan, "マクロフォルダ: %s (作成され、MacroPath に記録されます)\r\n",
              machine.macroFolder);
    else
        Print(plan, "マクロフォルダ: %s\r\n", machine.macroFolder);
    return true;
}

// SETUP.EXE neither uses nor replaces another package's uninstall-info copy.
bool PrintOtherOwner(const Plan &plan, const char *uninstallCopy) {
    char internalName[kInternalName.size];
    char owner[kOwnerNameSize];
    ReadSetupString(plan.file, kInternalName, internalName);
    if (!IsOtherPackagesCopy(uninstallCopy, internalName, owner))
        return false;
    Print(plan, "モード: 中止 (アンインストール情報の写し %s は別のパッケージ「%s」のものです)\r\n",
          uninstallCopy, owner);
    return true;
}

// The mode, as SETUP.EXE decides it; false when it would stop here (a record that exists but
// cannot be read, a newer version installed).
bool PrintMode(const Plan &plan, const char *uninstallCopy, SetupMode *decided) {
    char internalName[kInternalName.size];
    char recordKey[kPathSize];
    ReadSetupString(plan.file, kInternalName, internalName);
    ComposeRecordKeyPath(recordKey, internalName);
    DWORD recorded;
    if (ReadRegistryDword(HKEY_CURRENT_USER, recordKey, kRecordVersionValue, &recorded) ==
        kRegistryFailed) {
        Print(plan, "モード: 中止 (この利用者のインストール記録が読めません)\r\n");
        return false;
    }
    unsigned installed = recorded != 0 ? ReadSetupNumber(uninstallCopy, kMacroVersion) : 0;
    char version[11];
    FormatDecimal(version, installed);
    SetupMode mode = DecideMode(recorded, installed, ReadSetupNumber(plan.file, kMacroVersion));
    switch (mode) {
    case kNewInstall:
        Print(plan, "モード: 新規インストール\r\n");
        break;
    case kUpdate:
        Print(plan,
              "モード: アップデート (インストール済みのバージョン %s。メニューは変わりません)\r\n",
              version);
        break;
    case kUninstall:
        Print(plan,
              "モード: アンインストール (同じバージョン %s がインストール済み。"
              "アンインストール情報の写しに従って削除します)\r\n",
              version);
        break;
    case kNewerInstalled:
        Print(plan, "モード: 中止 (新しいバージョン %s がインストール済み)\r\n", version);
        break;
    }
    *decided = mode;
    return mode != kNewerInstalled;
}

void PrintGroup(const Plan &plan, int group) {
    char number[11];
    FormatDecimal(number, static_cast<unsigned>(group));
    if (group == kMainGroup) {
        Print(plan, "メニュー: メインメニュー\r\n");
    } else if (group == kNoGroupWithRoom) {
        Print(plan, "メニュー: 空きがないため、ファイルのコピーのみ行います\r\n");
    } else if (IsGroupNameEmpty(plan.machine->groupNames, group)) {
        char name[kGroupName.size];
        ReadSetupString(plan.file, kGroupName, name);
        // Without a GroupName the sub-menu stays without a name.
        Print(plan,
              name[0] != '\0' ? "メニュー: サブメニュー %s "
                                "(名前のない空きグループ。GroupName「%s」を付けます)\r\n"
                              : "メニュー: サブメニュー %s (名前のない空きグループ。GroupName "
                                "がないため名前はありません)\r\n",
              number, name);
    } else {
        char name[kGroupNameFieldSize + 1] = "";
        std::memcpy(name, plan.machine->groupNames.bytes + (group - 1) * kGroupNameFieldSize,
                    kGroupNameFieldSize);
        Print(plan, "メニュー: サブメニュー %s「%s」\r\n", number, name);
    }
}

// The folders of [Make Directory] of file, in the order the step takes them.
void PrintFolders(const Plan &plan, const char *file, bool reverse) {
    SetupSection folders;
    folders.Read(file, kMakeDirectory);
    unsigned count = CountListedFolders(folders.Index());
    char folder[kPathSize];
    for (unsigned i = 1; i <= count; ++i) {
        ReadListedFolder(folders.Index(), reverse ? count + 1 - i : i, folder);
        Expand(plan, folder);
        Print(plan, "  %s\r\n", folder);
    }
}

// A list's entries as the walk gives them: each composed destination, expanded.
void PrintDestinations(const Plan &plan, const char *file, const char *section, ListWalk walk) {
    SetupSection list;
    list.Read(file, section);
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), walk, entry)) {
        if (!entry.fits)
            continue;
        Expand(plan, entry.destination);
        Print(plan, "  %s\r\n", entry.destination);
    }
}

void PrintSlot(const Plan &plan, unsigned n) {
    if (plan.slots[n - 1] == 0)
        return;
    char titleKey[kKeyNameSize];
    MakeNumberedKey(titleKey, kMacroTitle.stem, n);
    char title[kMacroTitle.size];
    ReadSetupText(plan.file, kInstallMacros, titleKey, "", title, kMacroTitle.size);
    char slot[11];
    FormatDecimal(slot, plan.slots[n - 1]);
    Print(plan, "     ﾒﾆｭｰ: ﾏｸﾛ%s「%s」\r\n", slot, title);
}

// Entry n's copy: where from, where to.
void PrintCopy(const Plan &plan, const char *section, unsigned n) {
    if (n == 1)
        Print(plan, "%s:\r\n", section == kInstallMacros ? "マクロ" : "ファイル");
    SetupSection list;
    list.Read(plan.file, section);
    ListEntry entry;
    char source[kPathSize];
    if (!ReadListEntry(list.Index(), n, entry) ||
        ComposeSourcePath(source, plan.setupFolder, entry.fileName) != kPathDone || !entry.fits)
        return;
    Expand(plan, entry.destination);
    Print(plan, "  元: %s\r\n", source);
    Print(plan, "  先: %s\r\n", entry.destination);
}

// What a step of the plan does, as far as it is more than bookkeeping.
void PrintStep(const Plan &plan, const RunStep &step) {
    switch (step.kind) {
    case kMakeFolders:
        Print(plan, "作成するフォルダ:\r\n");
        PrintFolders(plan, plan.file, false);
        break;
    case kDeleteBeforeCopies:
        Print(plan, "コピーの前に削除するファイル:\r\n");
        PrintDestinations(plan, plan.file, kDeleteFilesOnInstall, kDeletionWalk);
        break;
    case kCopyMacro:
        PrintCopy(plan, kInstallMacros, step.n);
        break;
    case kRegisterMacro:
        PrintSlot(plan, step.n);
        break;
    case kCopyFile:
        PrintCopy(plan, kInstallFiles, step.n);
        break;
    case kAskFileDeletion:
        Print(plan, "削除してよいか尋ねたうえで削除するファイル:\r\n");
        break;
    case kDeleteListed:
        PrintDestinations(plan, plan.uninstallCopy, DeletedListSection(step.n),
                          DeletedListWalk(step.n));
        break;
    case kRemoveFolders:
        Print(plan, "空であれば削除するフォルダ:\r\n");
        PrintFolders(plan, plan.uninstallCopy, true);
        break;
    default:
        break;
    }
}

// The steps SETUP.EXE carries out in this mode, as it plans them.
void PrintSteps(const Plan &plan, SetupMode mode, int group) {
    RunPlan steps;
    if (mode == kUninstall) {
        PlanUninstall(ReadInstalledUsers(plan.uninstallCopy) > 1, steps);
    } else {
        InstallShape shape = {mode == kUpdate, DecidePass(mode, group).filesOnly,
                              plan.machine->macroFolderFlag, static_cast<unsigned>(plan.macroCount),
                              static_cast<unsigned>(CountEntries(plan.file, kInstallFiles))};
        PlanInstall(shape, steps);
    }
    for (unsigned i = 0; i < steps.count; ++i)
        PrintStep(plan, steps.steps[i]);
}

void PrintShellExecute(const Plan &plan) {
    char fileName[kShellFileName.size];
    ReadSetupString(plan.file, kShellFileName, fileName);
    if (fileName[0] == '\0')
        return;
    ExpandFolderVariablesWith(fileName, plan.folders, kPlainExpansion);
    Print(plan, "完了後に開くファイル: %s\r\n", fileName);
}

// The uninstall-info folder and the two copies; uninstallCopy receives the copy's path.
void PrintUninstallInfo(const Plan &plan, char (&uninstallCopy)[kPathSize]) {
    char folder[kPathSize];
    char programCopy[kPathSize];
    ReadSetupString(plan.file, kUnInstallInfoPath, folder);
    Expand(plan, folder);
    uninstallCopy[0] = '\0';
    programCopy[0] = '\0';
    ComposeUninstallInfoCopies(folder, plan.file, uninstallCopy, programCopy);
    Print(plan, "アンインストール情報: %s (%s", folder, LastComponent(uninstallCopy));
    Print(plan, " と %s)\r\n", LastComponent(programCopy));
}

} // namespace

void PrintPlan(const char *path, const Machine &machine, const TextSink &sink) {
    Plan plan{};
    plan.file = path;
    plan.machine = &machine;
    plan.sink = &sink;
    plan.folders =
        machine.macroFolderKnown
            ? FoldersOf(machine)
            : FolderSet{"\\macrodir", "\\aofudedir", machine.windowsFolder, machine.systemFolder};
    char programFile[kPathSize];
    DeriveProgramPaths(path, programFile, plan.setupFolder);
    Print(plan, "\r\n/PLAN: %s\r\n", path);
    if (!PrintMachine(plan))
        return;
    plan.macroCount = CountEntries(path, kInstallMacros);
    int group = ChooseGroup(path, machine.macroMenu, machine.groupNames, plan.macroCount);
    AssignSlotNumbers(machine.macroMenu, group, plan.macroCount, plan.slots);
    PrintUninstallInfo(plan, plan.uninstallCopy);
    if (PrintOtherOwner(plan, plan.uninstallCopy))
        return;
    SetupMode mode;
    if (!PrintMode(plan, plan.uninstallCopy, &mode))
        return;
    if (mode == kNewInstall)
        PrintGroup(plan, group);
    PrintSteps(plan, mode, group);
    if (mode == kUninstall)
        return;
    PrintShellExecute(plan);
}

} // namespace aof
