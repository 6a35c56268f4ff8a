// state.exe — sets up and checks registry state for the scenario tests.
//
//   state set-sz KEY NAME TEXT      REG_SZ; TEXT is stored as code page 932 bytes
//   state set-sz-bytes KEY NAME HEX REG_SZ from raw code page 932 bytes (NUL appended)
//   state set-dword KEY NAME N      REG_DWORD; N decimal or 0x-hex
//   state set-binary KEY NAME HEX   REG_BINARY; HEX may be empty (zero-length value)
//   state delete-key KEY            KEY and everything below it
//   state delete-value KEY NAME
//   state make-readonly KEY         only KEY_READ stays possible, for everyone
//   state make-writable KEY         full access for everyone again
//   state dump KEY [--json]         values and subkeys, recursively
//   state exists KEY
//
// KEY is ROOT\path with ROOT one of HKCU, HKLM (or their long names). NAME "" is the
// key's default value. Exit codes: 0 done, 1 key or value not found, 2 usage or error
// (message on stderr). All output is UTF-8 with "\n" line ends.
#include <windows.h>
#include <sddl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/wide_text.h"

namespace {

const int kDone = 0;
const int kNotFound = 1;
const int kError = 2;

// Ends the command with an exit code and, for errors, a message.
struct Stop {
    int code;
    std::string message;
};

std::string toCp932(const std::wstring &text) {
    bool lossy = false;
    std::string out = tools::Narrow(932, text, &lossy);
    if (lossy && !text.empty())
        throw Stop{kError,
                   "text has characters without a code page 932 form: " + tools::ToUtf8(text)};
    return out;
}

bool isAscii(const std::wstring &text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

std::string systemMessage(LONG error) {
    wchar_t *buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, (DWORD)error, 0, (LPWSTR)&buffer, 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return "error " + std::to_string(error) +
           (text.empty() ? "" : " (" + tools::ToUtf8(text) + ")");
}

void out(const std::string &text) {
    fwrite(text.data(), 1, text.size(), stdout);
}

std::string hex(const unsigned char *data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

// "00 a1 FF", "00a1ff" and "00,a1,ff" all give three bytes; "" gives none.
std::vector<unsigned char> parseHex(const std::wstring &text) {
    std::vector<unsigned char> bytes;
    int high = -1;
    for (wchar_t c : text) {
        int v;
        if (c >= L'0' && c <= L'9')
            v = c - L'0';
        else if (c >= L'a' && c <= L'f')
            v = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            v = c - L'A' + 10;
        else if ((c == L' ' || c == L',' || c == L':' || c == L'\t') && high < 0)
            continue;
        else
            throw Stop{kError, "bad hex text: " + tools::ToUtf8(text)};
        if (high < 0) {
            high = v;
        } else {
            bytes.push_back((unsigned char)(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0)
        throw Stop{kError, "odd number of hex digits: " + tools::ToUtf8(text)};
    return bytes;
}

DWORD parseDword(const std::wstring &text) {
    if (text.empty() || text[0] == L'-' || text[0] == L'+' || iswspace(text[0]))
        throw Stop{kError, "not a 32-bit unsigned number: " + tools::ToUtf8(text)};
    wchar_t *end = nullptr;
    errno = 0;
    unsigned long long v = wcstoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != L'\0' || v > 0xFFFFFFFFull)
        throw Stop{kError, "not a 32-bit unsigned number: " + tools::ToUtf8(text)};
    return (DWORD)v;
}

struct Key {
    HKEY root;
    std::wstring rootName; // as shown in output: HKCU or HKLM
    std::wstring path;     // below the root, no leading or trailing backslash; may be empty
    std::wstring full() const { return path.empty() ? rootName : rootName + L"\\" + path; }
};

Key parseKey(const std::wstring &text) {
    size_t cut = text.find(L'\\');
    std::wstring root = text.substr(0, cut);
    std::wstring path = cut == std::wstring::npos ? std::wstring() : text.substr(cut + 1);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    Key key;
    if (_wcsicmp(root.c_str(), L"HKCU") == 0 || _wcsicmp(root.c_str(), L"HKEY_CURRENT_USER") == 0)
        key = Key{HKEY_CURRENT_USER, L"HKCU", path};
    else if (_wcsicmp(root.c_str(), L"HKLM") == 0 ||
             _wcsicmp(root.c_str(), L"HKEY_LOCAL_MACHINE") == 0)
        key = Key{HKEY_LOCAL_MACHINE, L"HKLM", path};
    else
        throw Stop{kError, "KEY must start with HKCU\\ or HKLM\\: " + tools::ToUtf8(text)};
    if (path.find(L"\\\\") != std::wstring::npos || (!path.empty() && path[0] == L'\\'))
        throw Stop{kError, "empty component in key path: " + tools::ToUtf8(text)};
    return key;
}

Key subkey(const Key &parent, const std::wstring &name) {
    return Key{parent.root, parent.rootName,
               parent.path.empty() ? name : parent.path + L"\\" + name};
}

class OpenKey {
  public:
    OpenKey() = default;
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    ~OpenKey() {
        if (handle_)
            RegCloseKey(handle_);
    }
    // Returns the registry's result; the handle is valid only on ERROR_SUCCESS.
    LONG open(const Key &key, REGSAM access) {
        return RegOpenKeyExW(key.root, key.path.empty() ? nullptr : key.path.c_str(), 0, access,
                             &handle_);
    }
    LONG create(const Key &key, REGSAM access) {
        return RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, access, nullptr, &handle_,
                               nullptr);
    }
    HKEY get() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

[[noreturn]] void fail(const std::string &what, const Key &key, LONG error) {
    throw Stop{error == ERROR_FILE_NOT_FOUND ? kNotFound : kError,
               what + " " + tools::ToUtf8(key.full()) + ": " + systemMessage(error)};
}

void openOrFail(OpenKey &handle, const Key &key, REGSAM access) {
    LONG r = handle.open(key, access);
    if (r != ERROR_SUCCESS)
        fail("cannot open", key, r);
}

void createOrFail(OpenKey &handle, const Key &key) {
    if (key.path.empty())
        throw Stop{kError, "a value needs a key below the root"};
    LONG r = handle.create(key, KEY_SET_VALUE);
    if (r != ERROR_SUCCESS)
        fail("cannot create or open for writing", key, r);
}

void setValue(const Key &key, const std::wstring &name, DWORD type, const void *data, DWORD size) {
    OpenKey handle;
    createOrFail(handle, key);
    static const unsigned char none = 0;
    LONG r = RegSetValueExW(handle.get(), name.c_str(), 0, type, size ? (const BYTE *)data : &none,
                            size);
    if (r != ERROR_SUCCESS)
        fail("cannot set value \"" + tools::ToUtf8(name) + "\" in", key, r);
    RegFlushKey(handle.get());
}

// Stored through the ANSI call with the CP932 bytes, the same way the setup program and the
// editor store texts, so that reading them back gives exactly these bytes.
void setSzBytes(const Key &key, const std::wstring &name, const std::string &bytes,
                bool asciiText) {
    if (GetACP() != 932 && !(asciiText && isAscii(name)))
        throw Stop{kError, "ANSI code page is " + std::to_string(GetACP()) +
                               ", not 932: run under LC_ALL=ja_JP.UTF-8"};
    if (bytes.find('\0') != std::string::npos)
        throw Stop{kError, "a REG_SZ text cannot hold a NUL byte"};
    std::string nameBytes = toCp932(name);
    OpenKey handle;
    createOrFail(handle, key);
    LONG r = RegSetValueExA(handle.get(), nameBytes.c_str(), 0, REG_SZ, (const BYTE *)bytes.c_str(),
                            (DWORD)bytes.size() + 1);
    if (r != ERROR_SUCCESS)
        fail("cannot set value \"" + tools::ToUtf8(name) + "\" in", key, r);
    RegFlushKey(handle.get());
}

void setSz(const Key &key, const std::wstring &name, const std::wstring &text) {
    setSzBytes(key, name, toCp932(text), isAscii(text));
}

void deleteValue(const Key &key, const std::wstring &name) {
    OpenKey handle;
    openOrFail(handle, key, KEY_SET_VALUE);
    LONG r = RegDeleteValueW(handle.get(), name.c_str());
    if (r != ERROR_SUCCESS)
        fail("cannot delete value \"" + tools::ToUtf8(name) + "\" in", key, r);
    RegFlushKey(handle.get());
}

void setSecurity(const Key &key, const wchar_t *sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr))
        throw Stop{kError, "cannot build security descriptor: " + systemMessage(GetLastError())};
    OpenKey handle;
    LONG r = handle.open(key, WRITE_DAC | READ_CONTROL);
    if (r == ERROR_SUCCESS)
        r = RegSetKeySecurity(handle.get(), DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    if (r != ERROR_SUCCESS)
        fail("cannot change access rights of", key, r);
}

void makeReadOnly(const Key &key) {
    if (key.path.empty())
        throw Stop{kError, "refusing to change the access rights of a root key"};
    setSecurity(key, L"D:P(A;;KR;;;WD)");
    // Check the effect: a test that relies on a refused write must not pass by accident.
    OpenKey reader, writer, all;
    LONG r = reader.open(key, KEY_READ);
    if (r != ERROR_SUCCESS)
        fail("read-only key does not open for reading:", key, r);
    LONG w = writer.open(key, KEY_WRITE);
    LONG a = all.open(key, KEY_ALL_ACCESS);
    if (w != ERROR_ACCESS_DENIED || a != ERROR_ACCESS_DENIED)
        throw Stop{kError, "key " + tools::ToUtf8(key.full()) +
                               " still opens for writing (KEY_WRITE: " + std::to_string(w) +
                               ", KEY_ALL_ACCESS: " + std::to_string(a) + ")"};
}

void makeWritable(const Key &key) {
    if (key.path.empty())
        throw Stop{kError, "refusing to change the access rights of a root key"};
    setSecurity(key, L"D:(A;;KA;;;WD)");
}

void deleteTree(const Key &key) {
    std::vector<std::wstring> children;
    {
        OpenKey handle;
        LONG r = handle.open(key, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
        if (r == ERROR_ACCESS_DENIED) {
            makeWritable(key);
            r = handle.open(key, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
        }
        if (r != ERROR_SUCCESS)
            fail("cannot open", key, r);
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            r = RegEnumKeyExW(handle.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (r == ERROR_NO_MORE_ITEMS)
                break;
            if (r != ERROR_SUCCESS)
                fail("cannot list the subkeys of", key, r);
            children.emplace_back(name, length);
        }
    }
    for (const std::wstring &child : children)
        deleteTree(subkey(key, child));
    size_t cut = key.path.rfind(L'\\');
    Key parent{key.root, key.rootName, cut == std::wstring::npos ? L"" : key.path.substr(0, cut)};
    std::wstring leaf = cut == std::wstring::npos ? key.path : key.path.substr(cut + 1);
    OpenKey parentHandle;
    LONG r = parentHandle.open(parent, KEY_ENUMERATE_SUB_KEYS | DELETE);
    if (r == ERROR_SUCCESS)
        r = RegDeleteKeyW(parentHandle.get(), leaf.c_str());
    if (r == ERROR_ACCESS_DENIED) {
        // A read-only key refuses DELETE; give the rights back and try once more.
        makeWritable(key);
        r = RegDeleteKeyW(parentHandle.get(), leaf.c_str());
    }
    if (r != ERROR_SUCCESS)
        fail("cannot delete", key, r);
}

void deleteKey(const Key &key) {
    if (key.path.empty())
        throw Stop{kError, "refusing to delete a root key"};
    deleteTree(key);
}

// ---- dump ----

struct Value {
    std::wstring name;
    DWORD type = REG_NONE;
    std::vector<unsigned char> data;
    std::string cp932; // REG_SZ and REG_EXPAND_SZ: the bytes an ANSI reader gets
};

struct Node {
    Key key;
    std::wstring name;
    std::vector<Value> values;
    std::vector<Node> subkeys;
};

bool lessName(const std::wstring &a, const std::wstring &b) {
    int c = _wcsicmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}

std::string typeName(DWORD type) {
    switch (type) {
    case REG_NONE:
        return "REG_NONE";
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN:
        return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK:
        return "REG_LINK";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "REG_" + std::to_string(type);
    }
}

void readValues(HKEY handle, Node &node) {
    for (DWORD i = 0;; ++i) {
        std::vector<wchar_t> name(16384);
        DWORD nameLength = (DWORD)name.size();
        DWORD type = 0, size = 0;
        LONG r = RegEnumValueW(handle, i, name.data(), &nameLength, nullptr, &type, nullptr, &size);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS)
            fail("cannot list the values of", node.key, r);
        Value value;
        value.name.assign(name.data(), nameLength);
        value.type = type;
        value.data.resize(size);
        r = RegQueryValueExW(handle, value.name.c_str(), nullptr, &type,
                             size ? value.data.data() : nullptr, &size);
        if (r != ERROR_SUCCESS)
            fail("cannot read value \"" + tools::ToUtf8(value.name) + "\" of", node.key, r);
        value.data.resize(size);
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            BOOL lossy = FALSE;
            int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, value.name.c_str(), -1, nullptr,
                                        0, nullptr, &lossy);
            std::string ansiName(n, '\0');
            WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, value.name.c_str(), -1, &ansiName[0], n,
                                nullptr, &lossy);
            DWORD ansiSize = 0;
            if (!lossy && RegQueryValueExA(handle, ansiName.c_str(), nullptr, nullptr, nullptr,
                                           &ansiSize) == ERROR_SUCCESS) {
                value.cp932.assign(ansiSize, '\0');
                if (ansiSize)
                    RegQueryValueExA(handle, ansiName.c_str(), nullptr, nullptr,
                                     (BYTE *)&value.cp932[0], &ansiSize);
                value.cp932.resize(ansiSize);
            }
        }
        node.values.push_back(std::move(value));
    }
    std::sort(node.values.begin(), node.values.end(),
              [](const Value &a, const Value &b) { return lessName(a.name, b.name); });
}

Node readTree(const Key &key, const std::wstring &name) {
    Node node{key, name, {}, {}};
    OpenKey handle;
    openOrFail(handle, key, KEY_READ);
    readValues(handle.get(), node);
    std::vector<std::wstring> children;
    wchar_t child[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        LONG r = RegEnumKeyExW(handle.get(), i, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS)
            fail("cannot list the subkeys of", key, r);
        children.emplace_back(child, length);
    }
    std::sort(children.begin(), children.end(), lessName);
    for (const std::wstring &c : children)
        node.subkeys.push_back(readTree(subkey(key, c), c));
    return node;
}

// Text of a string value up to its first NUL.
std::wstring valueText(const Value &value) {
    size_t count = value.data.size() / sizeof(wchar_t);
    std::wstring text((const wchar_t *)value.data.data(), count);
    size_t nul = text.find(L'\0');
    return nul == std::wstring::npos ? text : text.substr(0, nul);
}

bool isDword(const Value &value) {
    return value.type == REG_DWORD && value.data.size() == 4;
}

DWORD dwordOf(const Value &value) {
    DWORD v;
    memcpy(&v, value.data.data(), 4);
    return v;
}

void dumpText(const Node &node) {
    out("[" + tools::ToUtf8(node.key.full()) + "]\n");
    for (const Value &value : node.values) {
        std::string line = "\"" + tools::ToUtf8(value.name) + "\" " + typeName(value.type);
        if (value.type == REG_SZ || value.type == REG_EXPAND_SZ)
            line += " \"" + tools::ToUtf8(valueText(value)) + "\"";
        else if (isDword(value))
            line += " " + std::to_string(dwordOf(value));
        else
            line += " (" + std::to_string(value.data.size()) + " bytes) " +
                    hex(value.data.data(), value.data.size());
        out(line + "\n");
    }
    for (const Node &child : node.subkeys)
        dumpText(child);
}

std::string json(const std::string &utf8) {
    std::string text = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            text += '\\';
            text += (char)c;
        } else if (c < 0x20) {
            char buffer[8];
            snprintf(buffer, sizeof buffer, "\\u%04x", c);
            text += buffer;
        } else {
            text += (char)c;
        }
    }
    return text + "\"";
}

std::string dumpJson(const Node &node, const std::string &indent) {
    std::string inner = indent + "  ";
    std::string text = "{\n" + inner + "\"key\": " + json(tools::ToUtf8(node.key.full())) + ",\n";
    text += inner + "\"name\": " + json(tools::ToUtf8(node.name)) + ",\n";
    text += inner + "\"values\": [";
    for (size_t i = 0; i < node.values.size(); ++i) {
        const Value &value = node.values[i];
        text += (i ? ",\n" : "\n") + inner + "  {\"name\": " + json(tools::ToUtf8(value.name)) +
                ", \"type\": " + json(typeName(value.type)) +
                ", \"size\": " + std::to_string(value.data.size()) + ", \"data\": ";
        if (value.type == REG_SZ || value.type == REG_EXPAND_SZ)
            text += json(tools::ToUtf8(valueText(value))) + ", \"cp932\": " +
                    json(hex((const unsigned char *)value.cp932.data(), value.cp932.size()));
        else if (isDword(value))
            text += std::to_string(dwordOf(value));
        else
            text += json(hex(value.data.data(), value.data.size()));
        text += "}";
    }
    text += node.values.empty() ? "],\n" : "\n" + inner + "],\n";
    text += inner + "\"subkeys\": [";
    for (size_t i = 0; i < node.subkeys.size(); ++i)
        text += (i ? ",\n" : "\n") + inner + "  " + dumpJson(node.subkeys[i], inner + "  ");
    text += node.subkeys.empty() ? "]\n" : "\n" + inner + "]\n";
    return text + indent + "}";
}

const char kUsage[] =
    "usage: state set-sz KEY NAME TEXT\n"
    "       state set-sz-bytes KEY NAME HEX\n"
    "       state set-dword KEY NAME N\n"
    "       state set-binary KEY NAME HEX\n"
    "       state delete-key KEY\n"
    "       state delete-value KEY NAME\n"
    "       state make-readonly KEY\n"
    "       state make-writable KEY\n"
    "       state dump KEY [--json]\n"
    "       state exists KEY\n"
    "KEY is HKCU\\path or HKLM\\path. Exit codes: 0 done, 1 not found, 2 error.\n";

int run(const std::vector<std::wstring> &args) {
    if (args.size() < 2)
        throw Stop{kError, kUsage};
    const std::wstring &command = args[0];
    Key key = parseKey(args[1]);
    auto want = [&](size_t count) {
        if (args.size() != count)
            throw Stop{kError, kUsage};
    };
    if (command == L"set-sz") {
        want(4);
        setSz(key, args[2], args[3]);
    } else if (command == L"set-sz-bytes") {
        want(4);
        std::vector<unsigned char> bytes = parseHex(args[3]);
        bool ascii =
            std::all_of(bytes.begin(), bytes.end(), [](unsigned char c) { return c < 0x80; });
        setSzBytes(key, args[2], std::string(bytes.begin(), bytes.end()), ascii);
    } else if (command == L"set-dword") {
        want(4);
        DWORD v = parseDword(args[3]);
        setValue(key, args[2], REG_DWORD, &v, 4);
    } else if (command == L"set-binary") {
        want(4);
        std::vector<unsigned char> bytes = parseHex(args[3]);
        setValue(key, args[2], REG_BINARY, bytes.data(), (DWORD)bytes.size());
    } else if (command == L"delete-key") {
        want(2);
        deleteKey(key);
    } else if (command == L"delete-value") {
        want(3);
        deleteValue(key, args[2]);
    } else if (command == L"make-readonly") {
        want(2);
        makeReadOnly(key);
    } else if (command == L"make-writable") {
        want(2);
        makeWritable(key);
    } else if (command == L"dump") {
        bool asJson = args.size() == 3 && args[2] == L"--json";
        if (!asJson)
            want(2);
        Node tree = readTree(key, key.path.substr(key.path.rfind(L'\\') + 1));
        if (asJson)
            out(dumpJson(tree, "") + "\n");
        else
            dumpText(tree);
    } else if (command == L"exists") {
        want(2);
        OpenKey handle;
        LONG r = handle.open(key, KEY_READ);
        // A key that refuses reading still exists.
        if (r == ERROR_FILE_NOT_FOUND)
            return kNotFound;
        if (r != ERROR_SUCCESS && r != ERROR_ACCESS_DENIED)
            fail("cannot open", key, r);
    } else {
        throw Stop{kError, kUsage};
    }
    return kDone;
}

} // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The ANSI command line is already converted to the ANSI code page; the wide one keeps
    // every character the caller passed.
    std::vector<std::wstring> args = tools::WideArguments();
    int code;
    try {
        code = run(args);
    } catch (const Stop &stop) {
        if (!stop.message.empty()) {
            std::string text = stop.message;
            if (text.back() != '\n')
                text += '\n';
            if (stop.code != kError || text.compare(0, 6, "usage:") != 0)
                text = "state: " + text;
            fwrite(text.data(), 1, text.size(), stderr);
        }
        code = stop.code;
    }
    fflush(stdout);
    return code;
}
