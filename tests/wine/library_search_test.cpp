// The start-up restriction of the library search, against a library planted beside a program:
// library_probe.exe and planted.dll (built beside this program) are copied into a folder of
// their own, the library under the name of a system library.
#include "check.h"

#include "../ui/test_files.h"

#include <string>
#include <windows.h>

namespace {

const std::string kFolder = "C:\\aoftest\\library_plant";

// The folder of this test program, where the probe and the library are built.
std::string BuildFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.rfind('\\'));
}

// The probe's exit code, or 99 when it could not be run to its end within 30 s.
DWORD RunProbe(const std::string &argument) {
    std::string commandLine = "\"" + kFolder + "\\library_probe.exe\" " + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        kFolder.c_str(), &startup, &process))
        return 99;
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

} // namespace

TEST_CASE(LibrarySearchSkipsALibraryBesideTheProgram) {
    testfiles::RemoveTree(kFolder);
    CreateDirectoryA("C:\\aoftest", nullptr);
    CHECK(CreateDirectoryA(kFolder.c_str(), nullptr));
    std::string build = BuildFolder();
    CHECK(CopyFileA((build + "\\library_probe.exe").c_str(),
                    (kFolder + "\\library_probe.exe").c_str(), FALSE));
    CHECK(CopyFileA((build + "\\planted.dll").c_str(), (kFolder + "\\dwmapi.dll").c_str(), FALSE));
    // Without the restriction the planted copy is loaded: the case can see the fault.
    CHECK_EQ(RunProbe(""), 1u);
    CHECK_EQ(RunProbe("restricted"), 0u);
    testfiles::RemoveTree(kFolder);
}
