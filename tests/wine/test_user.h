// A user of the sequences for the tests: it answers as the test says, shows nothing and keeps
// what it is told.
#pragma once

#include "driver/sequence_win32.h"

#include <string>
#include <vector>
#include <windows.h>

namespace wt {

class TestUser : public aof::SequenceUser {
  public:
    int overwriteAnswer = IDYES;
    bool deleteFiles = true;
    std::vector<std::string> told;
    std::string lastFile;
    unsigned asked = 0; // overwrite questions

    void Tell(const char *text, unsigned) override { told.push_back(text); }
    void BeginCopies(unsigned short) override {}
    void StepProgress(unsigned, unsigned short) override {}
    void ShowFile(const char *destination) override { lastFile = destination; }
    void EndCopies() override {}
    int AskOverwrite(const char *, const char *) override {
        ++asked;
        return overwriteAnswer;
    }
    bool AskFileDeletion() override { return deleteFiles; }
};

} // namespace wt
