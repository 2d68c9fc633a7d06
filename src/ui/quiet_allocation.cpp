#include "ui/quiet_allocation.h"

namespace {
thread_local bool tQuiet = false;
}

QuietAllocationFailure::QuietAllocationFailure() : previous_(tQuiet) { tQuiet = true; }
QuietAllocationFailure::~QuietAllocationFailure() { tQuiet = previous_; }

bool AllocationFailureIsQuiet() { return tQuiet; }
