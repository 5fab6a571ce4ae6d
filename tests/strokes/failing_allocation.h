// The stroke test program replaces the global allocation functions so that a test can
// make every allocation fail for the span of one call.
#pragma once

namespace lumidraw::strokes {

void SetAllocationsFail(bool fail);

// Runs `call` with every allocation failing.
template <typename Call>
void WithoutMemory(Call&& call) {
  // Restored also when the call throws, so the test program can still report.
  struct Restore {
    ~Restore() { SetAllocationsFail(false); }
  } restore;
  SetAllocationsFail(true);
  call();
}

}  // namespace lumidraw::strokes
