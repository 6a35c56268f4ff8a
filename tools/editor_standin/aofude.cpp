// aofude.exe — stands in for the Aofude editor in the scenario tests.
//
//   aofude [/class NAME]
//       Opens the editor window (class "Aofude32Class" unless NAME is given) with the
//       macro menu built from the registry, and runs until the window is closed. Once the
//       window exists, "ready<TAB>HWND" is written to stdout.
//   aofude /install FOLDER [/macropath PATH | /nomacropath] [/noassign | /emptyassign]
//                  [/view 32 | /view 64]
//       Writes the registry state of a freshly installed editor (see tools/README.md), its
//       uninstall key in the registry view of a 32-bit or (default) 64-bit installer.
//   aofude /dump-menu
//       Prints the macro menu the window would show, as UTF-8 lines, and exits.
//   aofude /save-on-close MS
//       Opens the window; MS milliseconds after it has closed, stores the menu read at start
//       with one macro added, as the editor saves its menu when it quits.
//
// Exit codes: 0 done, 2 usage or error (message on stderr).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/wide_text.h"

namespace {

const char kEditorKey[] = "Software\\Aofudeo\\Aofude";
const char kEnvKey[] = "Software\\Aofudeo\\Aofude\\Env";
const char kAssignKey[] = "Software\\Aofudeo\\Aofude\\Assign.dat";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude";

const int kSlotStrings = 160;   // 80 slots, path and title each
const int kGroupField = 31;     // bytes per sub-menu name
const int kGroups = 7;          // sub-menus 1 to 7
const size_t kAmacroSize = 160; // a fresh editor's value: every string empty
const size_t kMacroGroupSize = kGroups * kGroupField;

const UINT kExitCommand = 100;
const UINT kSlotCommandBase = 1000; // + slot number

// ---- text helpers ----

std::string cp932ToUtf8(const std::string &bytes) {
    return tools::ToUtf8(tools::Widen(932, bytes));
}

void write(DWORD which, const std::string &text) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(handle, text.data(), (DWORD)text.size(), &written, nullptr);
}

// Reports an error on stderr (UTF-8) and gives exit code 2.
int failure(const std::string &utf8) {
    write(STD_ERROR_HANDLE, "aofude: " + utf8 + "\n");
    return 2;
}

int failure(const std::string &utf8, LONG error) {
    return failure(utf8 + ": error " + std::to_string(error));
}

// Index just after the last path separator, ignoring trail bytes of double-byte characters.
size_t afterLastBackslash(const std::string &path) {
    size_t after = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByteEx(932, (BYTE)path[i]) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\')
            after = i + 1;
    }
    return after;
}

bool endsWithBackslash(const std::string &path) {
    return !path.empty() && afterLastBackslash(path) == path.size();
}

// ---- the macro menu ----

struct Slot {
    int number; // 1 to 80
    std::string path, title;
};

struct Group {
    int number;       // 1 to 7
    std::string name; // as stored; empty when the sub-menu has no name
    std::vector<Slot> slots;
};

struct MacroMenu {
    bool amacroPresent = false, groupsPresent = false;
    std::vector<unsigned char> amacro, groups;
    size_t amacroStrings = 0;
    std::vector<Slot> main;
    std::vector<Group> sub;
};

bool readBinary(HKEY key, const char *name, std::vector<unsigned char> &data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, 0);
    if (size == 0)
        return true;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

// Splits the menu table into its strings. A value cut short (fewer than 160 strings, or a
// last string without its NUL) yields empty strings for what is missing; nothing is read
// past the value's end.
std::vector<std::string> splitStrings(const std::vector<unsigned char> &value, size_t &count) {
    std::vector<std::string> strings;
    size_t at = 0;
    while (at < value.size()) {
        const unsigned char *start = value.data() + at;
        const void *nul = memchr(start, 0, value.size() - at);
        size_t length = nul ? (size_t)((const unsigned char *)nul - start) : value.size() - at;
        strings.emplace_back((const char *)start, length);
        at += length + 1;
    }
    count = strings.size();
    strings.resize(std::max<size_t>(strings.size(), kSlotStrings));
    return strings;
}

std::string groupName(const std::vector<unsigned char> &value, int group) {
    size_t start = (size_t)(group - 1) * kGroupField;
    if (start >= value.size())
        return std::string();
    size_t end = std::min(start + kGroupField, value.size());
    const unsigned char *field = value.data() + start;
    const void *nul = memchr(field, 0, end - start);
    size_t length = nul ? (size_t)((const unsigned char *)nul - field) : end - start;
    return std::string((const char *)field, length);
}

MacroMenu readMacroMenu() {
    MacroMenu menu;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        menu.amacroPresent = readBinary(key, "Amacro", menu.amacro);
        menu.groupsPresent = readBinary(key, "MacroGroup", menu.groups);
        RegCloseKey(key);
    }
    if (!menu.amacroPresent)
        menu.amacro.clear();
    if (!menu.groupsPresent)
        menu.groups.clear();
    std::vector<std::string> strings = splitStrings(menu.amacro, menu.amacroStrings);
    for (int group = 0; group <= kGroups; ++group) {
        std::vector<Slot> slots;
        for (int position = 1; position <= 10; ++position) {
            int number = 10 * group + position;
            const std::string &path = strings[2 * number - 2];
            const std::string &title = strings[2 * number - 1];
            if (!path.empty() || !title.empty())
                slots.push_back(Slot{number, path, title});
        }
        if (group == 0)
            menu.main = slots;
        else
            menu.sub.push_back(Group{group, groupName(menu.groups, group), slots});
    }
    return menu;
}

// "&1 title" .. "&9 title", "1&0 title"; an entry without a title shows its path.
std::string slotLabel(const Slot &slot) {
    int position = (slot.number - 1) % 10 + 1;
    std::string accelerator = position == 10 ? "1&0" : "&" + std::to_string(position);
    return accelerator + " " + (slot.title.empty() ? slot.path : slot.title);
}

std::string groupLabel(const Group &group) {
    return group.name.empty() ? "ｸﾞﾙｰﾌﾟ" + std::to_string(group.number) : group.name;
}

HMENU buildMenuBar(const MacroMenu &model) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kExitCommand, "終了(&X)");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)file, "ﾌｧｲﾙ(&F)");
    HMENU macros = CreatePopupMenu();
    for (const Slot &slot : model.main)
        AppendMenuA(macros, MF_STRING, kSlotCommandBase + slot.number, slotLabel(slot).c_str());
    AppendMenuA(macros, MF_SEPARATOR, 0, nullptr);
    for (const Group &group : model.sub) {
        HMENU popup = CreatePopupMenu();
        for (const Slot &slot : group.slots)
            AppendMenuA(popup, MF_STRING, kSlotCommandBase + slot.number, slotLabel(slot).c_str());
        if (group.slots.empty())
            AppendMenuA(popup, MF_STRING | MF_GRAYED, 0, "(空き)");
        AppendMenuA(macros, MF_POPUP, (UINT_PTR)popup, groupLabel(group).c_str());
    }
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)macros, "ﾏｸﾛ(&M)");
    return bar;
}

// One line per fact, fields separated by tabs, texts converted to UTF-8:
//   amacro      present|missing  BYTES  STRINGS
//   macrogroup  present|missing  BYTES
//   slot        NUMBER  LABEL  PATH      (main-menu entries, then each group's)
//   group       NUMBER  LABEL  NAME      (NAME empty when the sub-menu has no name)
std::string dumpMenu(const MacroMenu &model) {
    std::string text = "amacro\t" + std::string(model.amacroPresent ? "present" : "missing") +
                       "\t" + std::to_string(model.amacro.size()) + "\t" +
                       std::to_string(model.amacroStrings) + "\n";
    text += "macrogroup\t" + std::string(model.groupsPresent ? "present" : "missing") + "\t" +
            std::to_string(model.groups.size()) + "\n";
    auto slotLines = [&](const std::vector<Slot> &slots) {
        for (const Slot &slot : slots)
            text += "slot\t" + std::to_string(slot.number) + "\t" + cp932ToUtf8(slotLabel(slot)) +
                    "\t" + cp932ToUtf8(slot.path) + "\n";
    };
    slotLines(model.main);
    for (const Group &group : model.sub) {
        text += "group\t" + std::to_string(group.number) + "\t" + cp932ToUtf8(groupLabel(group)) +
                "\t" + cp932ToUtf8(group.name) + "\n";
        slotLines(group.slots);
    }
    return text;
}

// ---- the window ----

MacroMenu g_menu;

// /show-menu: the sub-menu to open (0: the macro menu alone; -1: open nothing), the menus
// opened so far, and the steps done.
int g_showGroup = -1;
int g_saveDelay = -1; // /save-on-close: milliseconds from the window's close to the save
int saveMenu();
int g_popupsOpened = 0;
bool g_walkedToGroup = false;
bool g_toldMenuOpen = false;

// Called whenever a menu waits for input: once ﾏｸﾛ(&M) is open (Alt+M, posted at start),
// walks down to the sub-menu and opens it as a user does with the arrow keys (the first item
// is selected when a menu opens; the separator is passed over); once every menu wanted is
// open, writes "menu-open".
void showMenuStep(HWND window) {
    int wanted = g_showGroup == 0 ? 1 : 2;
    if (g_popupsOpened == 1 && !g_walkedToGroup && wanted == 2) {
        g_walkedToGroup = true;
        int downs = (int)g_menu.main.size() + g_showGroup - 1;
        for (int i = 0; i < downs; ++i)
            PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    } else if (g_popupsOpened >= wanted && !g_toldMenuOpen) {
        g_toldMenuOpen = true;
        write(STD_OUTPUT_HANDLE, "menu-open\n");
    }
}

const Slot *findSlot(int number) {
    for (const Slot &slot : g_menu.main)
        if (slot.number == number)
            return &slot;
    for (const Group &group : g_menu.sub)
        for (const Slot &slot : group.slots)
            if (slot.number == number)
                return &slot;
    return nullptr;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        UINT command = LOWORD(wParam);
        if (command == kExitCommand) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        } else if (const Slot *slot = findSlot((int)command - (int)kSlotCommandBase)) {
            std::string text = "ﾏｸﾛ " + slot->path + " を実行します (代役のため何もしません)。";
            MessageBoxA(window, text.c_str(), slot->title.c_str(), MB_OK | MB_ICONINFORMATION);
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        size_t used = g_menu.main.size();
        for (const Group &group : g_menu.sub)
            used += group.slots.size();
        std::string line = "青筆の代役です。登録されているﾏｸﾛ: " + std::to_string(used);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 8, 8, line.c_str(), (int)line.size());
        EndPaint(window, &paint);
        return 0;
    }
    case WM_INITMENUPOPUP:
        ++g_popupsOpened;
        break;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && g_showGroup >= 0)
            showMenuStep(window);
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int runWindow(HINSTANCE instance, const std::string &className) {
    g_menu = readMacroMenu();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassA(&windowClass))
        return failure("cannot register window class", (LONG)GetLastError());
    HWND window =
        CreateWindowExA(0, className.c_str(), "青筆 (stand-in)", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 480, 320, nullptr, buildMenuBar(g_menu), instance, nullptr);
    if (!window)
        return failure("cannot create the window", (LONG)GetLastError());
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    char handle[32];
    wsprintfA(handle, "ready\t%p\n", (void *)window);
    write(STD_OUTPUT_HANDLE, handle);
    if (g_showGroup >= 0)
        PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'm'); // Alt+M: ﾏｸﾛ(&M)
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (g_saveDelay >= 0) {
        Sleep((DWORD)g_saveDelay); // the editor's own time to save, not a test's wait
        return saveMenu();
    }
    return (int)message.wParam;
}

// ---- /close ----

// Asks every editor window to close and waits (at most 10 s) until none is left.
int closeEditors() {
    for (int waited = 0; waited < 10000; waited += 50) {
        HWND window = FindWindowA("Aofude32Class", nullptr);
        if (window == nullptr)
            return 0;
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(50);
    }
    return failure("a window of class Aofude32Class is still open 10 s after WM_CLOSE");
}

// ---- /install ----

struct InstallOptions {
    std::string folder, macroPath;
    bool haveMacroPath = false;
    enum { DefaultAssign, NoAssign, EmptyAssign } assign = DefaultAssign;
    REGSAM view = KEY_WOW64_64KEY; // where the installer's bitness puts the uninstall key
};

// Creates FOLDER and any missing parents; an existing folder is fine.
LONG createFolders(const std::string &folder) {
    std::string path = folder;
    while (endsWithBackslash(path) && path.size() > 3)
        path.pop_back();
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return ERROR_SUCCESS;
    LONG error = (LONG)GetLastError();
    if (error != ERROR_PATH_NOT_FOUND)
        return error;
    size_t cut = afterLastBackslash(path);
    if (cut <= 3 || cut >= path.size()) // no parent, or the parent is a drive's root
        return error;
    LONG parent = createFolders(path.substr(0, cut - 1));
    if (parent != ERROR_SUCCESS)
        return parent;
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return ERROR_SUCCESS;
    return (LONG)GetLastError();
}

LONG setValue(HKEY key, const char *name, DWORD type, const void *data, size_t size) {
    static const unsigned char none = 0;
    LONG r = RegSetValueExA(key, name, 0, type, size ? (const BYTE *)data : &none, (DWORD)size);
    RegFlushKey(key);
    return r;
}

LONG deleteValue(HKEY key, const char *name) {
    LONG r = RegDeleteValueA(key, name);
    return r == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : r;
}

int install(const InstallOptions &options) {
    LONG r = createFolders(options.folder);
    if (r != ERROR_SUCCESS)
        return failure("cannot create folder " + cp932ToUtf8(options.folder), r);

    std::string uninstaller = options.folder;
    if (endsWithBackslash(uninstaller))
        uninstaller.pop_back();
    uninstaller += "\\UNINST.EXE";
    HKEY key;
    r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE | options.view,
                        nullptr, &key, nullptr);
    if (r != ERROR_SUCCESS)
        return failure(std::string("cannot create HKLM\\") + kUninstallKey +
                           (options.view == KEY_WOW64_32KEY ? " (32-bit view)" : " (64-bit view)"),
                       r);
    r = setValue(key, "UninstallString", REG_SZ, uninstaller.c_str(), uninstaller.size() + 1);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return failure("cannot set UninstallString", r);

    r = RegCreateKeyExA(HKEY_CURRENT_USER, kEnvKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr);
    if (r != ERROR_SUCCESS)
        return failure(std::string("cannot create HKCU\\") + kEnvKey, r);
    if (options.haveMacroPath)
        r = setValue(key, "MacroPath", REG_SZ, options.macroPath.c_str(),
                     options.macroPath.size() + 1);
    else
        r = deleteValue(key, "MacroPath");
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return failure("cannot set up MacroPath", r);

    if (options.assign == InstallOptions::NoAssign) {
        r = RegOpenKeyExA(HKEY_CURRENT_USER, kEditorKey, 0, KEY_ALL_ACCESS, &key);
        if (r == ERROR_SUCCESS) {
            r = RegDeleteTreeA(key, "Assign.dat");
            RegCloseKey(key);
        }
        if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND)
            return failure(std::string("cannot delete HKCU\\") + kAssignKey, r);
        return 0;
    }
    r = RegCreateKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr);
    if (r != ERROR_SUCCESS)
        return failure(std::string("cannot create HKCU\\") + kAssignKey, r);
    if (options.assign == InstallOptions::EmptyAssign) {
        std::vector<unsigned char> zeros(kMacroGroupSize, 0);
        r = setValue(key, "Amacro", REG_BINARY, zeros.data(), kAmacroSize);
        if (r == ERROR_SUCCESS)
            r = setValue(key, "MacroGroup", REG_BINARY, zeros.data(), kMacroGroupSize);
    } else {
        r = deleteValue(key, "Amacro");
        if (r == ERROR_SUCCESS)
            r = deleteValue(key, "MacroGroup");
    }
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return failure("cannot set up the values of Assign.dat", r);
    return 0;
}

// ---- /save-on-close ----

// Stores the menu read at start with "saved.mac" ("Saved") in the first free slot of the main
// menu: the user registered a macro and quit, and the editor saves its whole menu, over
// whatever another program stored meanwhile.
int saveMenu() {
    size_t count = 0;
    std::vector<std::string> strings = splitStrings(g_menu.amacro, count);
    for (int slot = 1; slot <= 10; ++slot) {
        if (strings[2 * slot - 2].empty() && strings[2 * slot - 1].empty()) {
            strings[2 * slot - 2] = "saved.mac";
            strings[2 * slot - 1] = "Saved";
            break;
        }
    }
    std::string bytes;
    for (const std::string &s : strings)
        bytes += s + '\0';
    HKEY key;
    LONG r = RegCreateKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                             nullptr);
    if (r != ERROR_SUCCESS)
        return failure(std::string("cannot open HKCU\\") + kAssignKey, r);
    r = setValue(key, "Amacro", REG_BINARY, bytes.data(), bytes.size());
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? 0 : failure("cannot store Amacro", r);
}

// ---- command line ----

const char kUsage[] =
    "usage: aofude [/class NAME]\n"
    "       aofude /install FOLDER [/macropath PATH | /nomacropath] [/noassign | /emptyassign]\n"
    "                      [/view 32 | /view 64]\n"
    "       aofude /dump-menu\n"
    "       aofude /show-menu GROUP\n"
    "       aofude /save-on-close MS\n"
    "       aofude /close\n";

int usage() {
    write(STD_ERROR_HANDLE, kUsage);
    return 2;
}

bool is(const std::wstring &arg, const wchar_t *option) {
    return _wcsicmp(arg.c_str(), option) == 0;
}

int run(HINSTANCE instance, const std::vector<std::wstring> &args) {
    auto text = [](const std::wstring &arg, std::string &bytes) {
        bool lossy = false;
        bytes = tools::Narrow(932, arg, &lossy);
        return !lossy;
    };
    if (args.empty())
        return runWindow(instance, "Aofude32Class");
    if (is(args[0], L"/class")) {
        std::string name;
        if (args.size() != 2 || args[1].empty() || !text(args[1], name))
            return usage();
        return runWindow(instance, name);
    }
    if (is(args[0], L"/show-menu")) {
        if (args.size() != 2 || args[1].size() != 1 || args[1][0] < L'0' || args[1][0] > L'7')
            return usage();
        g_showGroup = args[1][0] - L'0';
        return runWindow(instance, "Aofude32Class");
    }
    if (is(args[0], L"/save-on-close")) {
        if (args.size() != 2 || args[1].empty() || args[1].size() > 5 ||
            args[1].find_first_not_of(L"0123456789") != std::wstring::npos)
            return usage();
        g_saveDelay = _wtoi(args[1].c_str());
        return runWindow(instance, "Aofude32Class");
    }
    if (is(args[0], L"/close"))
        return args.size() == 1 ? closeEditors() : usage();
    if (is(args[0], L"/dump-menu")) {
        if (args.size() != 1)
            return usage();
        write(STD_OUTPUT_HANDLE, dumpMenu(readMacroMenu()));
        return 0;
    }
    if (!is(args[0], L"/install") || args.size() < 2 || args[1].empty())
        return usage();
    InstallOptions options;
    if (!text(args[1], options.folder))
        return failure("FOLDER has characters without a code page 932 form");
    bool macroPathChosen = false, assignChosen = false, viewChosen = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (is(args[i], L"/macropath") && i + 1 < args.size() && !macroPathChosen) {
            if (!text(args[++i], options.macroPath))
                return failure("PATH has characters without a code page 932 form");
            options.haveMacroPath = macroPathChosen = true;
        } else if (is(args[i], L"/nomacropath") && !macroPathChosen) {
            macroPathChosen = true;
        } else if (is(args[i], L"/noassign") && !assignChosen) {
            options.assign = InstallOptions::NoAssign;
            assignChosen = true;
        } else if (is(args[i], L"/emptyassign") && !assignChosen) {
            options.assign = InstallOptions::EmptyAssign;
            assignChosen = true;
        } else if (is(args[i], L"/view") && i + 1 < args.size() && !viewChosen &&
                   (args[i + 1] == L"32" || args[i + 1] == L"64")) {
            options.view = args[++i] == L"32" ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
            viewChosen = true;
        } else {
            return usage();
        }
    }
    return install(options);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The wide command line keeps every character the caller passed; texts are turned into
    // code page 932 here, as the editor holds them.
    std::vector<std::wstring> args = tools::WideArguments();
    return run(instance, args);
}
