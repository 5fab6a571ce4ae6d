// The stroke test program replaces the global allocation functions so that a test can
// make every allocation fail for the span of one call.
#pragma once

namespace lumidraw::strokes {

void SetAllocationsFail(bool fail);

// Runs `call` with every allocation failing.
template <typename Call>
void WithoutMemory(Call&& call) {
  SetAllocationsFail(true);
  call();
  SetAllocationsFail(false);
}

}  // namespace lumidraw::strokes
