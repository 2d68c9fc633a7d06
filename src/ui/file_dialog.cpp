#include "ui/file_dialog.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "text/ansi_text.h"
#include "text/dialog_filter.h"

namespace {

// The original OPENFILENAMEA layout, up to lpTemplateName: the dialog is
// given this size so that it takes none of the newer fields into account.
constexpr DWORD kOpenFileNameSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
#ifndef _WIN64
static_assert(kOpenFileNameSize == 76, "the original OPENFILENAMEA is 76 bytes");
#endif

constexpr size_t kFileBufferSize = 260;
constexpr size_t kFileTitleBufferSize = 64;

const char* TextOrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

DWORD DialogFlags(const FileDialog& d) {
  DWORD flags = OFN_HIDEREADONLY;
  if (d.PromptCreate) flags |= OFN_CREATEPROMPT;
  if (d.FileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (d.PromptOverwrite) flags |= OFN_OVERWRITEPROMPT;
  if (d.PathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (d.NoChangeDirectory) flags |= OFN_NOCHANGEDIR;
  return flags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
}

// Copies name into buffer (room for size bytes, NUL included), cut so that
// it fits and no double-byte character loses its second byte.
void SeedFileBuffer(const std::string& name, char* buffer, size_t size) {
  size_t length = 0;
  while (length < name.size()) {
    size_t n = text::CharLength(name, length);
    if (length + n > size - 1) break;
    length += n;
  }
  std::memcpy(buffer, name.data(), length);
  std::memset(buffer + length, 0, size - length);
}

// Moves the dialog over the middle of its owner, then as little as needed to
// have it inside the work area of the owner's monitor (its top-left corner
// wins when the dialog is larger than the work area). Without an owner the
// dialog is centred in the work area of its own monitor.
void PlaceOverOwner(HWND dialog, HWND owner) {
  RECT box;
  if (!GetWindowRect(dialog, &box)) return;
  HMONITOR monitor = MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return;
  const RECT& work = info.rcWork;
  RECT around = work;
  if (owner && !GetWindowRect(owner, &around)) around = work;

  const LONG width = box.right - box.left;
  const LONG height = box.bottom - box.top;
  LONG left = around.left + ((around.right - around.left) - width) / 2;
  LONG top = around.top + ((around.bottom - around.top) - height) / 2;
  if (left + width > work.right) left = work.right - width;
  if (left < work.left) left = work.left;
  if (top + height > work.bottom) top = work.bottom - height;
  if (top < work.top) top = work.top;
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// With OFN_EXPLORER the hook runs for a child dialog of the real one. Every
// answer is 0: the dialog's own handling stays as it is, and each file name
// it accepts is accepted.
UINT_PTR CALLBACK DialogHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notice->hdr.code == CDN_INITDONE) PlaceOverOwner(GetParent(child), notice->lpOFN->hwndOwner);
  }
  return 0;
}

}  // namespace

bool FileDialog::ShowOpenDialog(HWND owner) {
  char file[kFileBufferSize];
  SeedFileBuffer(FileName, file, sizeof file);
  char fileTitle[kFileTitleBufferSize] = {};
  // Kept alive until the dialog has closed: lpstrFilter points into it.
  const std::string filter = text::BuildDialogFilter(Filter);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = kOpenFileNameSize;
  ofn.hwndOwner = owner;
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = text::DialogFilterIndex(filter, InitialFilterIndex);
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrFileTitle = fileTitle;
  ofn.nMaxFileTitle = sizeof fileTitle;
  ofn.lpstrInitialDir = TextOrNull(InitialDirectory);
  ofn.lpstrTitle = TextOrNull(Title);
  ofn.Flags = DialogFlags(*this);
  ofn.lpstrDefExt = TextOrNull(DefaultExtension);
  ofn.lpfnHook = DialogHook;

  HWND focused = GetFocus();
  // The owner is disabled by us, not only by the dialog, so that it stays
  // out of reach for the whole call.
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);

  const BOOL confirmed = GetOpenFileNameA(&ofn);

  // The system's dialog enables its owner as it closes, whatever state it
  // found it in; an owner that someone else had disabled is disabled again.
  if (owner && IsWindow(owner)) EnableWindow(owner, ownerWasEnabled);
  if (focused && IsWindow(focused)) SetFocus(focused);

  if (!confirmed) return false;
  FileName.assign(file, strnlen(file, sizeof file));
  return true;
}
