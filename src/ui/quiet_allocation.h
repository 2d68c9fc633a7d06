// Running out of memory ends the program with the fatal error box, except
// where a decoder asks for a picture's pixels: a picture too large for memory
// is simply not shown. While a QuietAllocationFailure lives on a thread, a
// failed allocation on that thread throws std::bad_alloc, which the decoder
// catches, instead.
#pragma once

class QuietAllocationFailure {
 public:
  QuietAllocationFailure();
  ~QuietAllocationFailure();
  QuietAllocationFailure(const QuietAllocationFailure&) = delete;
  QuietAllocationFailure& operator=(const QuietAllocationFailure&) = delete;

 private:
  bool previous_;
};

bool AllocationFailureIsQuiet();
