// Kept in a file of its own: the compiler must not see a `new` and the free() below in one
// place, or it reports them as mismatched.
#include "strokes/failing_allocation.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

bool allocations_fail = false;

}  // namespace

namespace lumidraw::strokes {

void SetAllocationsFail(bool fail) {
  allocations_fail = fail;
}

}  // namespace lumidraw::strokes

void* operator new(std::size_t size) {
  if (!allocations_fail) {
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  }
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
