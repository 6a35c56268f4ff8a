// Composing and expanding paths from arbitrary entries and folders, and the checker's judgement
// of them: no result may outgrow its 520-byte buffer, a refused expansion leaves an empty path,
// and taking away ".." steps never lengthens a path.
#include "afucheck/destination_rules.h"
#include "setupinfo/path_compose.h"

#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>

namespace {

// A buffer of exactly kPathSize bytes on the heap, so that any overrun is caught.
std::unique_ptr<char[]> PathBuffer(const std::string &text) {
    std::unique_ptr<char[]> buffer(new char[aof::kPathSize]);
    aof::CopyText(buffer.get(), aof::kPathSize, text.c_str());
    return buffer;
}

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// Values as the reader gives them: cut to their buffer size - 1.
std::string TakeValue(FuzzedDataProvider &data, std::size_t size) {
    std::string value = data.ConsumeRandomLengthString(2 * aof::kPathSize);
    std::string cut(size, '\0');
    aof::CopyText(&cut[0], size, value.c_str());
    return cut.c_str();
}

// Folders may be longer than any real one, or unknown.
const char *TakeFolder(FuzzedDataProvider &data, std::string &storage) {
    storage = data.ConsumeRandomLengthString(2 * aof::kPathSize);
    return data.ConsumeBool() ? storage.c_str() : nullptr;
}

void CheckExpansion(char *path, const aof::FolderSet &folders, aof::ExpansionMode mode) {
    std::string before = path;
    bool expanded = aof::ExpandFolderVariablesWith(path, folders, mode);
    Require(std::strlen(path) < aof::kPathSize);
    Require(expanded || path[0] == '\0');
    if (mode == aof::kPlainExpansion && aof::FindFolderVariable(before.c_str()) == aof::kNoVariable)
        Require(expanded && before == path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    auto mode = data.ConsumeBool() ? aof::kMacroRelative : aof::kPlainExpansion;
    std::string fileName = TakeValue(data, 260);
    std::string pathValue = TakeValue(data, aof::kPathSize);
    std::string setupFolder = TakeValue(data, aof::kPathSize);
    std::string macro, editor, windows, system;
    aof::FolderSet folders{TakeFolder(data, macro), TakeFolder(data, editor),
                           TakeFolder(data, windows), TakeFolder(data, system)};

    auto source = PathBuffer("untouched");
    int result = aof::ComposeSourcePath(source.get(), setupFolder.c_str(), fileName.c_str());
    Require(result == aof::kPathDone || std::strcmp(source.get(), "untouched") == 0);
    Require(std::strlen(source.get()) < aof::kPathSize);

    auto destination = PathBuffer("untouched");
    result = aof::ComposeDestinationPath(destination.get(), fileName.c_str(), pathValue.c_str());
    Require(result == aof::kPathDone || std::strcmp(destination.get(), "untouched") == 0);
    Require(result != aof::kPathDone ||
            std::strncmp(destination.get(), pathValue.c_str(), pathValue.size()) == 0);
    Require(std::strlen(destination.get()) < aof::kPathSize);
    CheckExpansion(destination.get(), folders, mode);

    auto raw = PathBuffer(pathValue);
    CheckExpansion(raw.get(), folders, mode);

    aof::JudgePathValue(pathValue.c_str());
    auto resolved = PathBuffer(pathValue);
    aof::ResolveParentSteps(resolved.get(), data.ConsumeIntegralInRange(0, 3));
    Require(std::strlen(resolved.get()) <= pathValue.size());
    auto list = std::make_unique<aof::FolderList>();
    aof::StartFolderList(*list);
    auto parent = PathBuffer("");
    aof::AddMadeFolder(*list, setupFolder.c_str(), parent.get());
    auto folder = PathBuffer("");
    aof::JudgeDestination(*list, pathValue.c_str(), folder.get());
    Require(std::strlen(parent.get()) < aof::kPathSize &&
            std::strlen(folder.get()) < aof::kPathSize);
    return 0;
}
