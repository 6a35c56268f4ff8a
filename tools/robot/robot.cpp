// robot.exe — drives a Windows program through its dialogs and writes what it saw.
//
//   robot.exe [--answers FILE] [--transcript FILE] [--timeout SECONDS] [--step-timeout SECONDS]
//             [--cwd FOLDER] [--poll MS] [--hex] [--times] -- PROGRAM [ARGUMENT …]
//
// The robot starts PROGRAM, watches every visible top-level window of that process, records
// each dialog once as it appears and answers it with the next line of the answers file. The
// command line of the program is PROGRAM (quoted when it holds a blank) followed by the
// ARGUMENTs joined with single blanks, each taken verbatim: `-- C:\a\SETUP.EXE "C:\a\x.afu"`
// passes the argument with its quotation marks (from a Unix shell: '"C:\a\x.afu"').
//
// Answers file (UTF-8, one entry a line; blank lines and lines starting with # are skipped):
//   OK, Cancel, Yes, No, All, Abort, Retry, Ignore   click the button 1, 2, 6, 7, 3, 3, 4, 5
//   NUMBER                                          click the control with that id
//   Escape, Enter                                   press the key in the dialog (its modal loop
//                                                   turns it into the dialog's own command)
//   !close-editor                                   action before the next answer: post WM_CLOSE
//                                                   to every window of class "Aofude32Class" and
//                                                   wait until none exists
//   !start-editor PATH [ARGUMENT …]                 action before the next answer: start the
//                                                   stand-in editor and wait for its window
//   !run PATH [ARGUMENT …]                          action before the next answer: run a
//                                                   program to its end (exit code 0 required)
//   !seize PATH                                     action before the next answer: open the
//                                                   file without sharing and hold it until the
//                                                   robot ends (a pulled medium, a virus scanner)
//   !pause MS                                       action before the next answer: wait MS
//                                                   milliseconds, as a person reading the dialog
//   Affirm                                          the dialog's affirmative button: Yes where it
//                                                   has one (6), else OK (1)
//   Terminate                                       end the program (TerminateProcess, exit code
//                                                   1) while the dialog is shown, as a power cut
//                                                   or the task manager would
//   ?KIND ANSWER                                    ANSWER when the next dialog is of KIND
//                                                   ("?overwrite All"); passed over otherwise,
//                                                   and never missed when the program ends
// Actions run when the dialog that takes the next answer has appeared, before it is answered.
//
// The progress dialog (control 1003) is recorded, never answered: its texts when it appears,
// each new text of 1003 and 1004 seen while it lives (polling can miss texts that last less
// than one polling interval) and, in the block of every dialog that appears while it is
// open, the progress texts of that moment.
//
// With --times each dialog's block also says when it was first seen ("time: 12.3 ms") and
// answered ("time answered: …"), in milliseconds since the program was started, and the
// transcript ends with the time the program was seen to end (for tools/benchmark.sh).
//
// Transcript (UTF-8): see tests/scenarios/README.md. Texts are written with \n for a line
// feed and \\ for a backslash that comes before n or another backslash.
//
// Exit code: 0 when the program ended and every answer was used, 1 on a failure (the
// transcript's FAILURE line says which), 2 on a usage error.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "common/wide_text.h"

namespace {

// ---- texts ----

// The window's text as the ANSI functions give it: code page 932 bytes.
std::string windowBytes(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string bytes(length + 1, '\0');
    int n = length > 0 ? GetWindowTextA(window, &bytes[0], length + 1) : 0;
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}

std::string cp932ToUtf8(const std::string &bytes) {
    if (bytes.empty())
        return std::string();
    int wide = MultiByteToWideChar(932, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(wide, L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), (int)bytes.size(), &text[0], wide);
    return tools::ToUtf8(text);
}

std::string windowText(HWND window) {
    return cp932ToUtf8(windowBytes(window));
}

std::string hexBytes(const std::string &bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

// \n for a line feed; \\ for a backslash that would otherwise read as the start of \n or of
// \\. Any other backslash stays single, so paths read plainly (C:\aoftest\pkg), and any other
// character, a carriage return or a tab too, is written as it is.
std::string escape(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\n')
            out += "\\n";
        else if (c == '\\' && (next == 'n' || next == '\\' || next == '\n'))
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::string className(HWND window) {
    wchar_t name[256];
    int n = GetClassNameW(window, name, 256);
    return tools::ToUtf8(std::wstring(name, n > 0 ? n : 0));
}

std::string decimal(long long v) {
    return std::to_string(v);
}

// ---- clock ----

ULONGLONG now() {
    return GetTickCount64();
}

// Milliseconds on the performance counter, for the --times stamps.
double preciseNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

std::string milliseconds(double ms) {
    char text[32];
    snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

// ---- options ----

struct Options {
    std::wstring answers;
    std::wstring transcript;
    std::wstring cwd;
    double timeout = 30;
    double stepTimeout = -1; // default: the overall timeout
    DWORD poll = 20;
    bool hex = false;        // also write the code page 932 bytes of every caption and text
    bool times = false;      // also write when each dialog was seen and answered
    bool affirmRest = false; // dialogs beyond the answers get "Affirm"
    std::wstring commandLine;
};

[[noreturn]] void usage(const char *problem) {
    fprintf(
        stderr,
        "robot: %s\n"
        "usage: robot.exe [--answers FILE] [--transcript FILE] [--timeout SECONDS]\n"
        "                 [--step-timeout SECONDS] [--cwd FOLDER] [--poll MS] [--hex] [--times]\n"
        "                 [--affirm-rest]\n"
        "                 -- PROGRAM [ARGUMENT ...]\n"
        "       robot.exe [options] --command-line TEXT   (the whole command line, as written)\n",
        problem);
    exit(2);
}

Options parseOptions() {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--")
            break;
        if (a == L"--affirm-rest") {
            options.affirmRest = true;
            continue;
        }
        if (a == L"--hex" || a == L"--times") {
            (a == L"--hex" ? options.hex : options.times) = true;
            continue;
        }
        if (i + 1 >= argc)
            usage("an option lacks its value");
        std::wstring value = argv[++i];
        if (a == L"--answers")
            options.answers = value;
        else if (a == L"--transcript")
            options.transcript = value;
        else if (a == L"--cwd")
            options.cwd = value;
        else if (a == L"--command-line")
            options.commandLine = value;
        else if (a == L"--timeout")
            options.timeout = _wtof(value.c_str());
        else if (a == L"--step-timeout")
            options.stepTimeout = _wtof(value.c_str());
        else if (a == L"--poll")
            options.poll = (DWORD)_wtoi(value.c_str());
        else
            usage("unknown option");
    }
    if (options.commandLine.empty()) {
        if (i + 1 >= argc)
            usage("no program after --");
        std::wstring program = argv[i + 1];
        options.commandLine =
            program.find(L' ') != std::wstring::npos ? L"\"" + program + L"\"" : program;
        for (int j = i + 2; j < argc; ++j)
            options.commandLine += L" " + std::wstring(argv[j]);
    } else if (i < argc) {
        usage("--command-line and a program after -- exclude each other");
    }
    LocalFree(argv);
    if (options.timeout <= 0)
        usage("--timeout must be positive");
    if (options.stepTimeout <= 0)
        options.stepTimeout = options.timeout;
    if (options.poll < 1)
        options.poll = 1;
    return options;
}

// ---- answers ----

struct Answer {
    std::string text;                 // as written, for the transcript
    std::vector<std::string> actions; // "!…" lines before it, without the "!"
    int line = 0;
    std::string kind; // "?KIND ANSWER": given only to a dialog of this kind; "" for any
};

bool readFile(const std::wstring &path, std::string &content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    content.assign(size, '\0');
    DWORD got = 0;
    BOOL ok = size == 0 || ReadFile(file, &content[0], size, &got, nullptr);
    CloseHandle(file);
    content.resize(got);
    return ok;
}

std::string trim(const std::string &text) {
    size_t a = text.find_first_not_of(" \t\r");
    size_t b = text.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

std::vector<Answer> readAnswers(const std::wstring &path, std::vector<std::string> &trailing) {
    std::vector<Answer> answers;
    if (path.empty())
        return answers;
    std::string content;
    if (!readFile(path, content)) {
        fprintf(stderr, "robot: cannot read the answers file\n");
        exit(2);
    }
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0)
        content.erase(0, 3);
    std::vector<std::string> actions;
    size_t start = 0;
    int lineNumber = 0;
    while (start <= content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = trim(content.substr(start, end - start));
        ++lineNumber;
        start = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '!') {
            actions.push_back(trim(line.substr(1)));
            continue;
        }
        std::string kind;
        if (line[0] == '?') {
            size_t blank = line.find(' ');
            kind = line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
            line = blank == std::string::npos ? std::string() : trim(line.substr(blank));
        }
        answers.push_back(Answer{line, actions, lineNumber, kind});
        actions.clear();
    }
    trailing = actions;
    return answers;
}

// ---- windows of a process ----

struct Found {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM param) {
    Found *found = (Found *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == found->pid && IsWindowVisible(window))
        found->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> visibleWindows(DWORD pid) {
    Found found{pid, {}};
    EnumWindows(collectTopLevel, (LPARAM)&found);
    return found.windows;
}

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    ((std::vector<HWND> *)param)->push_back(window);
    return TRUE;
}

std::vector<HWND> children(HWND dialog) {
    std::vector<HWND> list;
    EnumChildWindows(dialog, collectChild, (LPARAM)&list);
    return list;
}

unsigned controlId(HWND control) {
    return (unsigned)(GetDlgCtrlID(control) & 0xFFFF);
}

bool isGone(HWND window) {
    return !IsWindow(window) || !IsWindowVisible(window);
}

struct ClassWindows {
    const wchar_t *className;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectClass(HWND window, LPARAM param) {
    ClassWindows *c = (ClassWindows *)param;
    wchar_t name[256];
    if (GetClassNameW(window, name, 256) && wcscmp(name, c->className) == 0)
        c->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> windowsOfClass(const wchar_t *name) {
    ClassWindows c{name, {}};
    EnumWindows(collectClass, (LPARAM)&c);
    return c.windows;
}

// ---- message box icon ----

// Under Wine an icon handle belongs to the process that loaded it: the handle that
// STM_GETICON gives back cannot be compared with this process's LoadIcon(NULL, IDI_…).
// The icon is therefore identified by its pixels: the icon control's screen area is
// compared with each standard icon drawn on the control's own background colour.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> data;
};

// The pixels of a bitmap that no DC has selected, as 32-bit 0x00RRGGBB values.
Pixels bitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Pixels p;
    p.width = width;
    p.height = height;
    p.data.assign((size_t)width * height, 0);
    GetDIBits(dc, bitmap, 0, height, p.data.data(), &info, DIB_RGB_COLORS);
    return p;
}

// Draws into a fresh bitmap of the screen's format and returns its pixels.
template <class Paint> Pixels paint(int width, int height, Paint paintInto) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    paintInto(memory, screen);
    SelectObject(memory, old);
    Pixels p = bitmapPixels(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return p;
}

Pixels screenArea(const RECT &r) {
    return paint(r.right - r.left, r.bottom - r.top, [&](HDC memory, HDC screen) {
        BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    });
}

Pixels drawIcon(HICON icon, int width, int height, DWORD background) {
    return paint(width, height, [&](HDC memory, HDC) {
        HBRUSH brush = CreateSolidBrush(
            RGB((background >> 16) & 255, (background >> 8) & 255, background & 255));
        RECT all = {0, 0, width, height};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    });
}

long long distance(const Pixels &a, const Pixels &b) {
    long long sum = 0;
    for (size_t i = 0; i < a.data.size() && i < b.data.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += labs((long)((a.data[i] >> shift) & 255) - (long)((b.data[i] >> shift) & 255));
    return sum;
}

// "hand", "exclamation", "asterisk", "question", "none", or "unknown" when the pixels match
// no standard icon within the waiting time.
std::string messageBoxIcon(HWND box, DWORD waitMs, DWORD poll) {
    HWND icon = GetDlgItem(box, 1088);
    if (!icon || !IsWindowVisible(icon))
        return "none";
    DWORD_PTR handle = 0;
    SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &handle);
    if (!handle)
        return "none";
    struct Candidate {
        const char *name;
        LPCSTR id;
    } candidates[] = {{"hand", IDI_HAND},
                      {"exclamation", IDI_EXCLAMATION},
                      {"asterisk", IDI_ASTERISK},
                      {"question", IDI_QUESTION}};
    for (const Candidate &c : candidates)
        if ((HICON)handle == LoadIconA(nullptr, c.id))
            return c.name;
    ULONGLONG deadline = now() + waitMs;
    for (;;) {
        RECT r;
        GetWindowRect(icon, &r);
        int width = r.right - r.left, height = r.bottom - r.top;
        if (width > 0 && height > 0 && width <= 256 && height <= 256) {
            Pixels seen = screenArea(r);
            // The control's background: its top-left pixel (standard icons are transparent
            // there).
            DWORD background = seen.data.empty() ? 0 : seen.data[0];
            long long best = -1, second = -1;
            const char *bestName = nullptr;
            for (const Candidate &c : candidates) {
                Pixels drawn = drawIcon(LoadIconA(nullptr, c.id), width, height, background);
                long long d = distance(seen, drawn);
                if (best < 0 || d < best) {
                    second = best;
                    best = d;
                    bestName = c.name;
                } else if (second < 0 || d < second) {
                    second = d;
                }
            }
            // A painted icon matches one standard icon (almost) exactly and the others not.
            long long pixels = (long long)width * height;
            if (best <= pixels * 3 && second > best * 4 + pixels * 3)
                return bestName;
        }
        if (now() >= deadline || !IsWindow(icon)) // a box closing meanwhile is not recorded
            return "unknown";
        Sleep(poll);
    }
}

// ---- dialog fonts ----

// A font handle belongs to the process that made it: the font a dialog gave its controls cannot
// be read from here. It is rebuilt as the dialog manager builds it, from the template in the
// program's file whose controls are the dialog's controls, and for a message box from the
// system's message font (which the message box gives its text).
struct TemplateFont {
    std::vector<unsigned> ids; // the template's control ids, sorted
    LOGFONTW font;
};

// Reads a dialog template's words, never past its end (a read past it only marks it broken).
struct TemplateCursor {
    const BYTE *base, *at, *end;
    bool whole() const { return at <= end; }
    WORD word() {
        WORD v = 0;
        if (at + 2 <= end)
            memcpy(&v, at, 2);
        at += 2;
        return v;
    }
    DWORD dword() {
        DWORD low = word();
        return low | (DWORD)word() << 16;
    }
    std::wstring text() {
        std::wstring t;
        for (WORD c = word(); c != 0 && at <= end; c = word())
            t += (wchar_t)c;
        return t;
    }
    // A menu, class or title: nothing (0), an ordinal (0xFFFF and a word) or a text.
    void skipNameOrOrdinal() {
        WORD first = word();
        if (first == 0xFFFF)
            word();
        else if (first != 0)
            while (word() != 0 && at < end) {
            }
    }
    void alignToDword() { at = base + ((at - base + 3) & ~(ptrdiff_t)3); }
};

LOGFONTW messageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

// The font of a DIALOG or DIALOGEX template with DS_SETFONT, and its control ids.
bool parseTemplate(const BYTE *data, DWORD size, TemplateFont &out) {
    TemplateCursor c{data, data, data + size};
    WORD version = c.word();
    bool extended = version == 1 && c.word() == 0xFFFF;
    DWORD style;
    if (extended) {
        c.at += 8; // help id, extended style
        style = c.dword();
    } else {
        c.at = data;
        style = c.dword();
        c.dword(); // extended style
    }
    WORD count = c.word();
    c.at += 8;             // x, y, cx, cy
    c.skipNameOrOrdinal(); // menu
    c.skipNameOrOrdinal(); // class
    c.text();              // title
    if (!(style & DS_SETFONT))
        return false;
    WORD points = c.word();
    LOGFONTW &f = out.font;
    f = {};
    f.lfWeight = FW_DONTCARE;
    if (extended) {
        f.lfWeight = c.word();
        f.lfItalic = (BYTE)c.word(); // italic, then the character set (not used)
    }
    std::wstring face = c.text();
    for (WORD i = 0; i < count && c.whole(); ++i) {
        c.alignToDword();
        if (extended) {
            c.at += 20; // help id, extended style, style, x, y, cx, cy
            out.ids.push_back(c.dword() & 0xFFFF);
        } else {
            c.at += 16; // style, extended style, x, y, cx, cy
            out.ids.push_back(c.word());
        }
        c.skipNameOrOrdinal(); // class
        c.skipNameOrOrdinal(); // title
        WORD extra = c.word();
        c.at += extra;
    }
    if (!c.whole())
        return false;
    std::sort(out.ids.begin(), out.ids.end());
    if (points == 0x7FFF) {
        f = messageFont();
        return true;
    }
    HDC screen = GetDC(nullptr);
    f.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    f.lfCharSet = DEFAULT_CHARSET;
    f.lfQuality = PROOF_QUALITY;
    wcsncpy(f.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return true;
}

BOOL CALLBACK collectTemplate(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const BYTE *data = loaded ? (const BYTE *)LockResource(loaded) : nullptr;
    TemplateFont font;
    if (data && parseTemplate(data, SizeofResource(module, found), font))
        ((std::vector<TemplateFont> *)param)->push_back(font);
    return TRUE;
}

// The dialog templates of the program the process runs.
std::vector<TemplateFont> templateFonts(HANDLE process) {
    std::vector<TemplateFont> fonts;
    wchar_t path[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process, 0, path, &size))
        return fonts;
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return fonts;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, collectTemplate,
                       (LONG_PTR)&fonts);
    FreeLibrary(module);
    return fonts;
}

// ---- clipping ----

// Whether a text static shows its whole text: the size the text needs, measured as the control
// draws it (the dialog's font, the control's width, words broken as a static breaks them),
// against the control's client area. "" when it fits, else what it needs and has.
std::string clipping(HWND control, const LOGFONTW *font) {
    if (!font)
        return "cannot be measured: the dialog's font is not known";
    RECT client;
    if (!GetClientRect(control, &client))
        return "";
    HFONT own = CreateFontIndirectW(font);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, own);
    std::wstring text = tools::Widen(CP_ACP, windowBytes(control));
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS;
    if (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    RECT needed = {0, 0, client.right, 0};
    if (!text.empty())
        DrawTextW(dc, text.c_str(), (int)text.size(), &needed, format);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(own);
    if (needed.right <= client.right && needed.bottom <= client.bottom)
        return "";
    return "needs " + decimal(needed.right) + " x " + decimal(needed.bottom) + " px, has " +
           decimal(client.right) + " x " + decimal(client.bottom) + " px";
}

// ---- dialog records ----

struct Record {
    int number = 0;
    HWND window = nullptr;
    std::string kind;
    std::vector<std::string> lines;
    bool answerable = false;
    bool answered = false;
    bool closed = false;
    std::string counter, destination; // progress dialog: last texts seen
    std::vector<std::string> clips;   // "dialog N control ID needs …" for each clipped text
    bool fontKnown = false;
    LOGFONTW font = {}; // the font the dialog gives its controls

    // Adds "clipped ID: needs …" when the control does not show its whole text.
    void checkClipping(HWND control, const std::string &id) {
        std::string clip = clipping(control, fontKnown ? &font : nullptr);
        if (clip.empty())
            return;
        lines.push_back("clipped " + id + ": " + clip);
        clips.push_back("dialog " + decimal(number) + " control " + id + " " + clip);
    }
};

bool hasControl(const std::vector<unsigned> &ids, unsigned id) {
    for (unsigned i : ids)
        if (i == id)
            return true;
    return false;
}

std::string kindOf(const std::string &cls, const std::vector<unsigned> &ids) {
    if (cls != "#32770")
        return "window";
    if (hasControl(ids, 1003))
        return "progress";
    if (hasControl(ids, 6) && hasControl(ids, 3) && hasControl(ids, 7) && hasControl(ids, 2) &&
        hasControl(ids, 1005))
        return "overwrite";
    if (hasControl(ids, 1001) && hasControl(ids, 1))
        return hasControl(ids, 2) ? "message-okcancel" : "message-ok";
    if (hasControl(ids, 65535))
        return "message-box";
    return "dialog";
}

bool isTextStatic(HWND control) {
    LONG style = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    switch (style) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

// The text of the dialog's control ID; false when there is no such control or when it was
// destroyed while being read (its text then reads as empty, which it never was).
bool controlText(HWND dialog, int id, std::string &text) {
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return false;
    std::string t = windowText(control);
    if (!IsWindow(control))
        return false;
    text = t;
    return true;
}

void describeProgress(HWND progress, std::vector<std::string> &lines, const char *prefix) {
    for (int id : {1003, 1004}) {
        std::string text;
        if (controlText(progress, id, text))
            lines.push_back(std::string(prefix) + " " + decimal(id) + ": " + escape(text));
    }
}

// Adds "FIELD: text" and, with hex, "bytes FIELD: hex of the code page 932 bytes".
void addText(std::vector<std::string> &lines, const std::string &field, HWND window, bool hex) {
    std::string bytes = windowBytes(window);
    lines.push_back(field + ": " + escape(cp932ToUtf8(bytes)));
    if (hex)
        lines.push_back("bytes " + field + ": " + hexBytes(bytes));
}

// The font the dialog gives its controls: the message font for a message box, else that of the
// program's template with the same controls.
void findFont(Record &r, const std::vector<unsigned> &ids, const std::vector<TemplateFont> &fonts) {
    if (r.kind == "message-box") {
        r.font = messageFont();
        r.fontKnown = true;
        return;
    }
    std::vector<unsigned> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    for (const TemplateFont &t : fonts)
        if (t.ids == sorted) {
            r.font = t.font;
            r.fontKnown = true;
            return;
        }
}

Record describe(HWND window, int index, const std::vector<Record> &records,
                const std::vector<TemplateFont> &fonts, const Options &options) {
    Record r;
    r.number = index;
    r.window = window;
    std::string cls = className(window);
    std::vector<HWND> controls = children(window);
    std::vector<unsigned> ids;
    for (HWND c : controls)
        if (GetParent(c) == window)
            ids.push_back(controlId(c));
    r.kind = kindOf(cls, ids);
    findFont(r, ids, fonts);
    r.answerable = cls == "#32770" && r.kind != "progress";
    addText(r.lines, "caption", window, options.hex);
    if (r.kind == "window" || r.kind == "dialog")
        r.lines.push_back("class: " + escape(cls));
    if (r.kind == "message-box")
        r.lines.push_back(
            "icon: " + messageBoxIcon(window, (DWORD)(options.stepTimeout * 1000), options.poll));
    for (HWND c : controls) {
        if (GetParent(c) != window)
            continue;
        std::string ccls = className(c);
        std::string id = decimal(controlId(c));
        if (_stricmp(ccls.c_str(), "Button") == 0)
            r.lines.push_back("button " + id + ": " + escape(windowText(c)));
        else if (_stricmp(ccls.c_str(), "Static") == 0 && isTextStatic(c)) {
            addText(r.lines, "text " + id, c, options.hex);
            r.checkClipping(c, id);
        }
    }
    if (r.kind == "progress") {
        controlText(window, 1003, r.counter);
        controlText(window, 1004, r.destination);
    } else {
        for (const Record &other : records)
            if (other.kind == "progress" && !other.closed && !isGone(other.window))
                describeProgress(other.window, r.lines, "progress");
    }
    return r;
}

// ---- answering ----

struct Robot {
    Options options;
    std::vector<Answer> answers;
    size_t nextAnswer = 0;
    std::vector<Record> records;
    PROCESS_INFORMATION process = {};
    std::vector<TemplateFont> fonts; // of the program's dialog templates
    std::string failure;
    std::string failureKind;
    double started = 0; // preciseNow() just before the program was started
    double endedAt = -1;

    // "LABEL: milliseconds since the start" with --times, for the benchmark.
    void stamp(std::vector<std::string> &lines, const char *label) const {
        if (options.times)
            lines.push_back(std::string(label) + ": " + milliseconds(preciseNow() - started));
    }

    void fail(const std::string &kind, const std::string &text) {
        if (failure.empty()) {
            failureKind = kind;
            failure = text;
        }
    }

    ULONGLONG stepDeadline() const { return now() + (ULONGLONG)(options.stepTimeout * 1000); }

    // Polls done() every polling interval until it is true (true) or the step timeout has
    // passed (false).
    template <class Done> bool pollUntil(Done done) {
        ULONGLONG deadline = stepDeadline();
        while (!done()) {
            if (now() >= deadline)
                return false;
            Sleep(options.poll);
        }
        return true;
    }

    bool closeEditor(Record &record) {
        std::vector<HWND> editors = windowsOfClass(L"Aofude32Class");
        for (HWND e : editors)
            PostMessageW(e, WM_CLOSE, 0, 0);
        if (!pollUntil([] { return windowsOfClass(L"Aofude32Class").empty(); })) {
            fail("action", "close-editor: a window of class Aofude32Class still exists " +
                               decimal((long long)options.stepTimeout) + " s after WM_CLOSE");
            return false;
        }
        record.lines.push_back("action: close-editor (" + decimal((long long)editors.size()) +
                               " window(s) closed)");
        return true;
    }

    // Starts a helper program of an action; false (with a failure) when it cannot be started.
    bool startProcess(const char *action, const std::string &commandLine,
                      PROCESS_INFORMATION &info) {
        std::wstring line = tools::FromUtf8(commandLine);
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        info = {};
        if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info)) {
            fail("action", std::string(action) + ": cannot start " + commandLine + " (error " +
                               decimal(GetLastError()) + ")");
            return false;
        }
        CloseHandle(info.hThread);
        return true;
    }

    bool startEditor(Record &record, const std::string &commandLine) {
        PROCESS_INFORMATION info;
        if (!startProcess("start-editor", commandLine, info))
            return false;
        auto hasWindow = [&] {
            for (HWND e : windowsOfClass(L"Aofude32Class")) {
                DWORD pid = 0;
                GetWindowThreadProcessId(e, &pid);
                if (pid == info.dwProcessId)
                    return true;
            }
            return false;
        };
        auto ended = [&] { return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0; };
        bool shown = pollUntil([&] { return hasWindow() || ended(); }) && hasWindow();
        if (!shown) {
            DWORD code = 0;
            if (ended() && GetExitCodeProcess(info.hProcess, &code))
                fail("action", "start-editor: " + commandLine + " ended (exit code " +
                                   decimal(code) + ") without an Aofude32Class window");
            else
                fail("action", "start-editor: no Aofude32Class window of " + commandLine +
                                   " within " + decimal((long long)options.stepTimeout) + " s");
        }
        CloseHandle(info.hProcess); // the editor is neither watched nor killed by the robot
        if (!shown)
            return false;
        record.lines.push_back("action: start-editor " + commandLine);
        return true;
    }

    // Runs a program to its end (a change of state while the program under test waits, such
    // as the editor saving its menu when it closes); it must end with exit code 0.
    bool runProgram(Record &record, const std::string &commandLine) {
        PROCESS_INFORMATION info;
        if (!startProcess("run", commandLine, info))
            return false;
        DWORD wait = WaitForSingleObject(info.hProcess, (DWORD)(options.stepTimeout * 1000));
        DWORD code = 1;
        if (wait != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 1);
            fail("action", "run: " + commandLine + " did not end within " +
                               decimal((long long)options.stepTimeout) + " s");
        } else if (!GetExitCodeProcess(info.hProcess, &code) || code != 0) {
            fail("action", "run: " + commandLine + " ended with exit code " + decimal(code));
        }
        CloseHandle(info.hProcess);
        if (wait != WAIT_OBJECT_0 || code != 0)
            return false;
        record.lines.push_back("action: run " + commandLine);
        return true;
    }

    // Holds the file open without sharing until the robot ends: no other program can read,
    // write or delete it meanwhile. The handle is closed when the robot's process ends.
    bool seizeFile(Record &record, const std::string &path) {
        HANDLE file = CreateFileW(tools::FromUtf8(path).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            fail("action",
                 "seize: cannot open " + path + " (error " + decimal(GetLastError()) + ")");
            return false;
        }
        record.lines.push_back("action: seize " + path);
        return true;
    }

    bool runAction(Record &record, const std::string &action) {
        std::string name = action.substr(0, action.find(' '));
        std::string rest = action.size() > name.size() ? trim(action.substr(name.size())) : "";
        if (name == "close-editor" && rest.empty())
            return closeEditor(record);
        if (name == "start-editor" && !rest.empty())
            return startEditor(record, rest);
        if (name == "run" && !rest.empty())
            return runProgram(record, rest);
        if (name == "seize" && !rest.empty())
            return seizeFile(record, rest);
        if (name == "pause" && !rest.empty() &&
            rest.find_first_not_of("0123456789") == std::string::npos) {
            Sleep((DWORD)strtoul(rest.c_str(), nullptr, 10));
            record.lines.push_back("action: pause " + rest);
            return true;
        }
        fail("answers", "unknown action \"!" + action + "\"");
        return false;
    }

    // Posts the answer to the dialog. Returns false (with a failure) when it cannot be given.
    bool give(Record &record, const std::string &answer) {
        struct Named {
            const char *name;
            unsigned id;
        } names[] = {{"OK", 1},     {"Cancel", 2}, {"Abort", 3}, {"Retry", 4},
                     {"Ignore", 5}, {"Yes", 6},    {"No", 7},    {"All", 3}};
        HWND dialog = record.window;
        if (answer == "Terminate") {
            kill();
            return true;
        }
        if (answer == "Escape" || answer == "Enter") {
            WPARAM key = answer == "Escape" ? VK_ESCAPE : VK_RETURN;
            GUITHREADINFO gui = {};
            gui.cbSize = sizeof gui;
            DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
            HWND target = dialog;
            if (GetGUIThreadInfo(thread, &gui) && gui.hwndFocus &&
                (gui.hwndFocus == dialog || IsChild(dialog, gui.hwndFocus)))
                target = gui.hwndFocus;
            UINT scan = MapVirtualKeyW((UINT)key, MAPVK_VK_TO_VSC);
            PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
            PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
            return true;
        }
        unsigned id = 0;
        bool known = answer == "Affirm";
        if (known)
            id = GetDlgItem(dialog, IDYES) != nullptr ? IDYES : IDOK;
        for (const Named &n : names)
            if (answer == n.name) {
                id = n.id;
                known = true;
            }
        if (!known) {
            char *end = nullptr;
            unsigned long v = strtoul(answer.c_str(), &end, 10);
            if (answer.empty() || *end != '\0' || v > 0xFFFF) {
                fail("answers", "unknown answer \"" + answer + "\"");
                return false;
            }
            id = (unsigned)v;
        }
        HWND button = GetDlgItem(dialog, (int)id);
        if (!button) {
            fail("answer", "answer \"" + answer + "\" needs control " + decimal(id) +
                               ", which dialog " + decimal(record.number) + " does not have");
            return false;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
        return true;
    }

    // The first answer from the next one on that some dialog must take (not one for a kind).
    size_t nextRequired() const {
        size_t i = nextAnswer;
        while (i < answers.size() && !answers[i].kind.empty())
            ++i;
        return i;
    }

    // Answers the dialog and waits until it is gone. False on a failure.
    bool answer(Record &record) {
        while (nextAnswer < answers.size() && !answers[nextAnswer].kind.empty() &&
               answers[nextAnswer].kind != record.kind)
            ++nextAnswer;
        if (nextAnswer >= answers.size() && options.affirmRest)
            answers.push_back(Answer{"Affirm", {}, 0, ""});
        if (nextAnswer >= answers.size()) {
            fail("unanswered", "dialog " + decimal(record.number) + " (" + record.kind +
                                   ") appeared with no answer left");
            return false;
        }
        const Answer &a = answers[nextAnswer++];
        record.answered = true;
        for (const std::string &action : a.actions)
            if (!runAction(record, action))
                return false;
        record.lines.push_back("answer: " + a.text);
        if (!give(record, a.text))
            return false;
        stamp(record.lines, "time answered");
        if (!pollUntil([&] {
                trackProgress();
                return isGone(record.window);
            })) {
            fail("timeout", "dialog " + decimal(record.number) + " still open " +
                                decimal((long long)options.stepTimeout) + " s after answer \"" +
                                a.text + "\"");
            return false;
        }
        record.closed = true;
        record.lines.push_back("closed");
        return true;
    }

    // Adds "update ID: text" when the progress dialog's control ID shows a new text.
    static void trackText(Record &progress, int id, std::string &last) {
        std::string text;
        if (controlText(progress.window, id, text) && text != last) {
            last = text;
            progress.lines.push_back("update " + decimal(id) + ": " + escape(text));
            progress.checkClipping(GetDlgItem(progress.window, id), decimal(id));
        }
    }

    void trackProgress() {
        for (Record &r : records) {
            if (r.kind != "progress" || r.closed)
                continue;
            if (isGone(r.window)) {
                r.closed = true;
                r.lines.push_back("closed");
                continue;
            }
            trackText(r, 1003, r.counter);
            trackText(r, 1004, r.destination);
        }
    }

    bool known(HWND window) const {
        for (const Record &r : records)
            if (r.window == window && !r.closed)
                return true;
        return false;
    }

    // Records the windows that appeared since the last look; returns the first that waits for
    // an answer, or -1.
    int look() {
        int pending = -1;
        // EnumWindows lists the topmost window first; windows that appeared within one polling
        // interval are recorded bottom first, which is their order of appearance (a message
        // box comes up over the progress dialog that was open before it).
        std::vector<HWND> windows = visibleWindows(process.dwProcessId);
        for (auto w = windows.rbegin(); w != windows.rend(); ++w) {
            if (known(*w))
                continue;
            std::vector<std::string> seen;
            stamp(seen, "time");
            Record record = describe(*w, (int)records.size() + 1, records, fonts, options);
            // A window hidden or destroyed while it was read (a progress dialog closing at that
            // moment) leaves a broken picture: an empty caption, controls missing, even the
            // wrong kind. It is not a dialog to record or answer. A window still shown after
            // the reading was whole throughout: a destroyed window never comes back.
            if (isGone(*w))
                continue;
            record.lines.insert(record.lines.begin(), seen.begin(), seen.end());
            records.push_back(record);
        }
        trackProgress();
        for (Record &r : records) {
            if (r.closed)
                continue;
            if (!r.answerable) {
                if (r.kind == "window" && isGone(r.window)) {
                    r.closed = true;
                    r.lines.push_back("closed");
                }
                continue;
            }
            if (!r.answered && pending < 0)
                pending = (int)(&r - &records[0]);
        }
        return pending;
    }

    void kill() {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }

    int run() {
        std::vector<std::string> trailing;
        answers = readAnswers(options.answers, trailing);
        if (!trailing.empty()) {
            fail("answers", "the answers file ends with an action that no answer follows");
            return finish(false);
        }
        std::vector<wchar_t> line(options.commandLine.begin(), options.commandLine.end());
        line.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        started = preciseNow();
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            options.cwd.empty() ? nullptr : options.cwd.c_str(), &startup,
                            &process)) {
            fail("start", "cannot start the program (error " + decimal(GetLastError()) + ")");
            return finish(false);
        }
        fonts = templateFonts(process.hProcess);
        ULONGLONG overall = now() + (ULONGLONG)(options.timeout * 1000);
        ULONGLONG step = stepDeadline();
        bool ended = false;
        while (failure.empty()) {
            ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
            if (ended && endedAt < 0)
                endedAt = preciseNow() - started;
            int pending = look();
            if (pending >= 0) {
                if (!answer(records[pending]))
                    break;
                step = stepDeadline();
                continue;
            }
            if (ended)
                break;
            ULONGLONG t = now();
            if (t >= overall) {
                fail("timeout", "the program still ran after the overall timeout of " +
                                    decimal((long long)options.timeout) + " s" +
                                    (nextAnswer < answers.size()
                                         ? " (answer " + decimal((long long)nextAnswer + 1) +
                                               " \"" + answers[nextAnswer].text + "\" unused)"
                                         : ""));
                break;
            }
            if (nextRequired() < answers.size() && t >= step) {
                fail("timeout", "no dialog for answer " + decimal((long long)nextAnswer + 1) +
                                    " \"" + answers[nextAnswer].text + "\" within " +
                                    decimal((long long)options.stepTimeout) + " s");
                break;
            }
            Sleep(options.poll);
        }
        size_t required = nextRequired();
        if (failure.empty() && required < answers.size())
            fail("unused", "the program ended with " +
                               decimal((long long)(answers.size() - nextAnswer)) +
                               " answer(s) unused, the first \"" + answers[required].text + "\"");
        reportClipping();
        return finish(failure.empty() && ended);
    }

    // A text the user could not read whole fails the run once it has ended (the run itself
    // goes on, so that everything after it is still seen and checked).
    void reportClipping() {
        std::vector<std::string> clips;
        for (const Record &r : records)
            clips.insert(clips.end(), r.clips.begin(), r.clips.end());
        if (!clips.empty())
            fail("clipped",
                 clips.front() + (clips.size() > 1
                                      ? " (and " + decimal((long long)clips.size() - 1) + " more)"
                                      : ""));
    }

    int finish(bool ok) {
        std::string exitLine;
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
                kill(); // only after a failure: the main loop ends otherwise when the program has
                exitLine = "exit code: killed\n";
            } else {
                DWORD code = 0;
                GetExitCodeProcess(process.hProcess, &code);
                exitLine = "exit code: " + decimal(code) + "\n";
            }
        }
        std::string text =
            "robot transcript\ncommand: " + escape(tools::ToUtf8(options.commandLine)) + "\n";
        for (Record &r : records) {
            // The program has ended: windows that were still open went with it.
            if (!r.closed && !r.answerable && process.hProcess)
                r.lines.push_back("closed");
            text += "\ndialog " + decimal(r.number) + ": " + r.kind + "\n";
            for (const std::string &l : r.lines)
                text += l + "\n";
        }
        text += "\n";
        if (!failure.empty())
            text += "FAILURE " + failureKind + ": " + failure + "\n";
        if (options.times && endedAt >= 0)
            text += "time ended: " + milliseconds(endedAt) + "\n";
        text += exitLine;
        if (options.transcript.empty()) {
            fwrite(text.data(), 1, text.size(), stdout);
        } else {
            HANDLE file = CreateFileW(options.transcript.c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            if (file == INVALID_HANDLE_VALUE ||
                !WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr)) {
                fprintf(stderr, "robot: cannot write the transcript\n");
                ok = false;
            }
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
        if (!failure.empty())
            fprintf(stderr, "robot: FAILURE %s: %s\n", failureKind.c_str(), failure.c_str());
        return ok && failure.empty() ? 0 : 1;
    }
};

} // namespace

int main() {
    Robot robot;
    robot.options = parseOptions();
    return robot.run();
}
