#include "strokes/undo_history.h"

#include <array>
#include <memory>
#include <new>
#include <unordered_set>
#include <utility>

namespace lumidraw::strokes {

namespace {

struct History {
  std::array<TPenList, UndoSlots> lists;
  std::array<bool, UndoSlots> valid{};
  std::int32_t pos = -1;
  std::int32_t last = -1;
  bool can_undo = false;
  bool can_redo = false;
};

History& State() {
  static History history;
  return history;
}

std::int32_t Next(std::int32_t slot) {
  return (slot + 1) % UndoSlots;
}
std::int32_t Previous(std::int32_t slot) {
  return (slot + UndoSlots - 1) % UndoSlots;
}

// Copies `from` into `to` completely or, without memory, not at all.
bool CopyInto(TPenList& to, const TPenList& from) {
  try {
    TPenList copy = from;
    to = std::move(copy);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// Undo may go from slot `pos` to the slot before it.
bool CanGoBackFrom(const History& h, std::int32_t pos) {
  const std::int32_t k = Previous(pos);
  return k != h.last && h.valid[k];
}

// A new step after undos drops the steps that could have been redone: they are marked
// invalid, so that once the ring has wrapped round to them an undo never brings them
// back. `newest` is the slot of the new step, which overwrites the first of them.
void DropRedoSteps(History& h, std::int32_t newest) {
  if (h.pos == -1 || h.pos == h.last || newest == h.last) return;
  for (std::int32_t k = Next(newest);; k = Next(k)) {
    h.valid[k] = false;
    if (k == h.last) break;
  }
}

}  // namespace

void UndoInit() {
  State() = History{};
}

void UndoDone() {
  State() = History{};
}

void UndoPush(const TPenList& list) {
  History& h = State();
  if (h.pos != -1 && list.GetCount() == 0 && h.lists[h.pos].GetCount() == 0) return;
  const std::int32_t slot = h.pos == -1 ? 0 : Next(h.pos);
  if (!CopyInto(h.lists[slot], list)) return;
  DropRedoSteps(h, slot);
  if (h.pos != -1) {
    h.valid[h.pos] = true;
    h.can_undo = true;
  }
  h.pos = slot;
  h.last = slot;
  h.can_redo = false;
}

void UndoPushClear(const TPenList& list) {
  History& h = State();
  if (list.GetCount() == 0) return;
  if (h.pos != -1 && h.lists[h.pos].GetCount() == 0) return;
  const std::int32_t slot = h.pos == -1 ? 0 : Next(h.pos);
  DropRedoSteps(h, slot);
  if (h.pos != -1) {
    h.valid[h.pos] = true;
    h.can_undo = true;
  }
  h.pos = slot;
  h.lists[h.pos].Clear();
  h.last = h.pos;
  h.can_redo = false;
}

void UndoReset() {
  History& h = State();
  h.pos = -1;
  h.last = -1;
  h.valid.fill(false);
  h.can_undo = false;
  h.can_redo = false;
}

void UndoBack(TPenList& list) {
  History& h = State();
  if (h.last == -1) {
    h.can_undo = false;
    h.can_redo = false;
    return;
  }
  // The validity check keeps a stray call from loading a slot of an older drawing.
  if (CanGoBackFrom(h, h.pos)) {
    const std::int32_t k = Previous(h.pos);
    if (!CopyInto(list, h.lists[k])) return;
    h.pos = k;
  }
  h.can_undo = CanGoBackFrom(h, h.pos);
  h.can_redo = h.pos != h.last;
}

void UndoForward(TPenList& list) {
  History& h = State();
  if (h.last == -1) {
    h.can_undo = false;
    h.can_redo = false;
    return;
  }
  if (h.pos != h.last) {
    const std::int32_t k = Next(h.pos);
    if (!CopyInto(list, h.lists[k])) return;
    h.pos = k;
  }
  h.can_undo = CanGoBackFrom(h, h.pos);
  h.can_redo = h.pos != h.last;
}

const TPenList& UndoList(std::int32_t i) {
  return State().lists.at(static_cast<std::size_t>(i));
}

bool UndoValid(std::int32_t i) {
  return State().valid.at(static_cast<std::size_t>(i));
}

std::int32_t UndoPos() {
  return State().pos;
}
std::int32_t UndoLast() {
  return State().last;
}
bool CanUndo() {
  return State().can_undo;
}
bool CanRedo() {
  return State().can_redo;
}

std::size_t UndoExtraBytes(const TPenList& current) {
  const std::vector<const void*> held = current.ChunkIds();
  const std::unordered_set<const void*> shared(held.begin(), held.end());
  std::unordered_set<const void*> extra;
  std::size_t index_bytes = 0;
  for (const TPenList& slot : State().lists) {
    const std::vector<const void*> ids = slot.ChunkIds();
    index_bytes += ids.size() * sizeof(std::shared_ptr<const void>);
    for (const void* id : ids) {
      if (!shared.contains(id)) extra.insert(id);
    }
  }
  return extra.size() * TPenList::ChunkBytes + index_bytes;
}

}  // namespace lumidraw::strokes
