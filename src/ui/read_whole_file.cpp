#include "ui/read_whole_file.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

namespace {

// A file handle we opened; closed with the owner.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

struct FreeBuffer {
  void operator()(uint8_t* buffer) const { std::free(buffer); }
};

// The size as a signed 32-bit count, by seeking to the end and back; -1 when
// the seeks fail. Files of 4 GB and more count as too large (-1) rather than
// by their low 32 bits, which would read only a part of them.
LONG FileSize(HANDLE file) {
  LONG high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(file, 0, &high, FILE_END);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return -1;
  if (high != 0) return -1;
  return static_cast<LONG>(low);
}

}  // namespace

ByteSet ReadWholeFile(const std::string& path) {
  if (path.empty()) return {};
  // An inheritable handle, harmless here: no process is started while the
  // file is open.
  SECURITY_ATTRIBUTES inheritable{};
  inheritable.nLength = sizeof inheritable;
  inheritable.bInheritHandle = TRUE;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, &inheritable, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {};
  const LONG size = FileSize(file.get());
  if (size <= 0) return {};
  // Not through operator new: a buffer that cannot be had is an unreadable
  // file, not the end of the program.
  std::unique_ptr<uint8_t, FreeBuffer> buffer(static_cast<uint8_t*>(std::malloc(size_t(size))));
  if (!buffer) return {};
  DWORD read = 0;
  if (!ReadFile(file.get(), buffer.get(), DWORD(size), &read, nullptr)) return {};
  return ByteSet(buffer.get(), buffer.get() + read);
}
