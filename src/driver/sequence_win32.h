// Carrying out a confirmed run's plan (driver/run_plan.h) step by step. The steps return
// results; what the user sees and answers goes through a SequenceUser: the program's dialogs
// (driver/sequence_dialogs_win32.h), or a test's answers.
#pragma once

#include "driver/run_plan.h"
#include "driver/run_state.h"
#include "driver/teller_win32.h"
#include "record/package_record_win32.h"
#include "setupinfo/setup_info_keys.h"
#include "setupinfo/setup_section_win32.h"
#include "ui/stop_messages.h"

namespace aof {

class SequenceUser : public Teller {
  public:
    // The copies begin: the progress dialog counts total entries.
    virtual void BeginCopies(unsigned short total) = 0;
    // Entry counter of total is about to be copied.
    virtual void StepProgress(unsigned counter, unsigned short total) = 0;
    // The entry's file is being copied to destination.
    virtual void ShowFile(const char *destination) = 0;
    // The copies are done.
    virtual void EndCopies() = 0;
    // IDYES, IDC_OVERWRITE_ALL (3), IDNO or IDCANCEL.
    virtual int AskOverwrite(const char *source, const char *destination) = 0;
    // Whether the package's files and folders are to be deleted.
    virtual bool AskFileDeletion() = 0;

  protected:
    ~SequenceUser() = default;
};

// Result codes of one entry's copy.
enum CopyResult {
    kCopied = 0,
    kSameFile = 1,
    kDeclined = 2,
    kEntryMissing = 255,
    kCancelledByUser = 256, // the stop has been told
    kCopyFailed = 257,      // the failure has been told
};

// The folders an entry's paths are made from.
struct CopyFolders {
    const char *setupFolder;
    const char *editorFolder;
    const char *macroFolder;
};

// Copies entry n of list to its destination, asking before an existing file is overwritten.
// overwriteAll: 0 asks, non-zero overwrites without asking; set to 1 by "overwrite all".
int CopyOneFile(const SetupSection &list, unsigned n, const CopyFolders &folders, int *overwriteAll,
                SequenceUser &user);

enum RunEnd {
    kRunStopped,   // a step ended the run; its message has been told
    kRunDone,      // every step was carried out
    kRunFilesKept, // an uninstall whose files the user chose to keep
};

// One confirmed run: its lists and record, and the steps' progress.
class Sequence {
  public:
    Sequence(RunState &state, SequenceUser &user) : state_(state), user_(user) {}
    ~Sequence();
    Sequence(const Sequence &) = delete;
    Sequence &operator=(const Sequence &) = delete;

    // Reads the lists the run works through, each whole, before anything is changed, and
    // plans the run. False, with the message told, when the file cannot be read.
    bool Plan(RunPlan &plan);

    // Carries the plan's steps out, one after the other, until one ends the run.
    RunEnd CarryOut(const RunPlan &plan);

    // An uninstall's: other users still have the package, so its files stay.
    bool OthersRemain() const { return state_.users > 1; }

  private:
    bool RunStep(const RunStep &step);
    bool CopyEntry(unsigned list, unsigned n);
    bool RegisterMacro(unsigned n);
    bool MarkRun();
    void CopyProgram();
    bool CopySetupInfo();
    bool DeleteCopy();
    bool DeleteRecord();
    bool StoreInstallTables();
    bool RemoveRegistration();
    void ListApp();
    unsigned long long MeasureInstalled(const SetupSection &list) const;

    RunState &state_;
    SequenceUser &user_;
    // An install's [Install Macros], [Install Files], [Delete Files on Install]; an
    // uninstall's [Install Macros], [Install Files], [UnInstall Files] of the uninstall-info
    // copy. Then [Make Directory] of the same file.
    SetupSection lists_[4];
    PackageRecord record_ = {nullptr};
    char groupName_[kGroupName.size] = ""; // an uninstall's: the sub-menu name it gave
    unsigned short total_ = 0;
    unsigned copied_ = 0;
    bool declined_ = false;
    bool copyGone_ = false;               // an uninstall carried out again found its copy deleted
    StopLine line_ = kLineSetupCancelled; // what a stop now leaves, by the steps carried out
};

} // namespace aof
