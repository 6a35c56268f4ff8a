// The sizes of the structures the programs hand to Windows, as Windows lays them out for a
// 32-bit and for a 64-bit process. A header or compiler that lays one out otherwise (packing,
// a field of another size) would have Windows read or write past it: the build stops instead.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace aof {

constexpr bool kPointers32 = sizeof(void *) == 4;

static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA");
static_assert(sizeof(CPINFO) == 20, "CPINFO");
static_assert(sizeof(WIN32_FIND_DATAA) == 320, "WIN32_FIND_DATAA");
static_assert(sizeof(WIN32_FILE_ATTRIBUTE_DATA) == 36, "WIN32_FILE_ATTRIBUTE_DATA");
static_assert(sizeof(FILETIME) == 8, "FILETIME");
static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME");
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "INITCOMMONCONTROLSEX");
// Its icon handle is as wide as a pointer, and the structure is padded to a multiple of it.
static_assert(sizeof(SHFILEINFOA) == (kPointers32 ? 352 : 360), "SHFILEINFOA");

} // namespace aof
