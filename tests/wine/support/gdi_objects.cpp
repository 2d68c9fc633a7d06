#include "support/gdi_objects.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace {

// Wine lays the GDI handle table out as Windows does and points to it from
// the PEB.
struct GdiHandleEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;  // 0: free
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI_HANDLE_ENTRY");

}  // namespace

int GdiObjectCount() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return int(counted);
  using GetPeb = void*(WINAPI*)();
  const auto getPeb = reinterpret_cast<GetPeb>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb")));
  if (!getPeb) return -1;
  const char* peb = static_cast<const char*>(getPeb());
#ifdef _WIN64
  const size_t tableOffset = 0xF8;
#else
  const size_t tableOffset = 0x94;
#endif
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + tableOffset);
  if (!table) return -1;
  int count = 0;
  for (int i = 0; i < 0x10000; ++i) count += table[i].type != 0;
  return count;
}
