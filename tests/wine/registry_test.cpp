// The registry module against the real registry: two-step reads while another thread keeps
// storing the value at other sizes, as the editor does when it saves its menu.
#include "check.h"
#include "common/registry_win32.h"

#include <cstdlib>
#include <string>
#include <windows.h>

namespace {

const char kKeyPath[] = "Software\\Brenlo\\RegistryTest";
const std::string kSmall(160, '\0');
const std::string kLarge(3000, 'x');

struct Writer {
    volatile LONG stop;
    volatile LONG writes;
};

DWORD WINAPI StoreAlternately(void *context) {
    Writer *writer = static_cast<Writer *>(context);
    HKEY key;
    if (!aof::CreateRegistryKey(HKEY_CURRENT_USER, kKeyPath, &key))
        return 1;
    while (writer->stop == 0) {
        const std::string &value = writer->writes % 2 == 0 ? kLarge : kSmall;
        aof::WriteRegistryValue(key, "Amacro", REG_BINARY, value.data(),
                                static_cast<DWORD>(value.size()));
        InterlockedIncrement(&writer->writes);
    }
    RegCloseKey(key);
    return 0;
}

} // namespace

TEST_CASE(RegistryReadNeverTakesAGrowingValueForAMissingOne) {
    HKEY key;
    CHECK(aof::CreateRegistryKey(HKEY_CURRENT_USER, kKeyPath, &key));
    CHECK(aof::WriteRegistryValue(key, "Amacro", REG_BINARY, kSmall.data(),
                                  static_cast<DWORD>(kSmall.size())));
    Writer writer = {0, 0};
    HANDLE thread = CreateThread(nullptr, 0, StoreAlternately, &writer, 0, nullptr);
    CHECK(thread != nullptr);
    int wrong = 0;
    for (int i = 0; i < 3000; ++i) {
        unsigned char *bytes;
        DWORD size;
        aof::RegistryResult result = aof::ReadRegistryBlock(key, "Amacro", 0, &bytes, &size);
        std::string value = result == aof::kRegistryDone
                                ? std::string(reinterpret_cast<char *>(bytes), size)
                                : std::string("result ") + std::to_string(result);
        if (value != kSmall && value != kLarge && ++wrong == 1)
            CHECK_STR(value.substr(0, 20), "one of the values");
        std::free(bytes);
    }
    InterlockedExchange(&writer.stop, 1);
    CHECK_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    CHECK_EQ(wrong, 0);
    CHECK(writer.writes > 100); // the values really changed under the reads
    RegCloseKey(key);
    CHECK(aof::DeleteRegistryKey(HKEY_CURRENT_USER, kKeyPath));
    CHECK(aof::DeleteRegistryKey(HKEY_CURRENT_USER, kKeyPath)); // a missing key is no failure
}
