// Running out of memory ends the program with the fatal error box naming
// the size that could not be had, so nothing throws across Win32 callbacks;
// only inside a QuietAllocationFailure scope does a decoder get bad_alloc.
#include <cstdlib>
#include <new>

#include "text/fatal_error_text.h"
#include "ui/fatal_error.h"
#include "ui/quiet_allocation.h"

namespace {
[[noreturn]] void ReportAllocationFailure(std::size_t bytes) {
  static char message[128];
  FormatAllocationFailure(message, sizeof message, bytes);
  ReportFatalError(message, 0);
}

void* Allocate(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  void* p = std::malloc(bytes);
  if (!p) {
    if (AllocationFailureIsQuiet()) throw std::bad_alloc();
    ReportAllocationFailure(bytes);
  }
  return p;
}
}  // namespace

void* operator new(std::size_t bytes) { return Allocate(bytes); }
void* operator new[](std::size_t bytes) { return Allocate(bytes); }
// The nothrow forms say "no memory" with a null pointer, never the box.
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return std::malloc(bytes ? bytes : 1); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return std::malloc(bytes ? bytes : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
