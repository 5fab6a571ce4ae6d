// The undo and redo history: a process-wide ring of 256 snapshots of the stroke list the
// surface draws into. Each finished change of the drawing pushes a snapshot; undo and redo
// copy an older or newer snapshot back into the list.
//
// The ring holds the current state and at most 255 earlier ones; once more than 256 steps
// have been pushed since the last reset, each new step overwrites the oldest. Two empty
// states in a row are recorded once. A new step after undos drops the steps that could
// have been redone.
//
// Snapshots share unchanged storage with the list and with each other (see pen_list.h),
// so a step costs little beyond the entries that changed.
//
// Only the user-interface thread uses the history. Running out of memory leaves the
// history and the list as they were.
#pragma once

#include <cstddef>
#include <cstdint>

#include "strokes/pen_list.h"

namespace lumidraw::strokes {

inline constexpr std::int32_t UndoSlots = 256;

// Empties every slot and forgets all steps; at start-up, and between tests.
void UndoInit();
// Releases the memory of every slot; the history is then as after UndoInit.
void UndoDone();

// Records `list` as the newest step.
void UndoPush(const TPenList& list);
// Records an empty list as the newest step, unless `list` is empty or the current step
// already is an empty list.
void UndoPushClear(const TPenList& list);
// Forgets all steps; the slots keep their contents until they are written again.
void UndoReset();
// Replaces the contents of `list` by the previous step, when there is one.
void UndoBack(TPenList& list);
// Replaces the contents of `list` by the next step, when there is one.
void UndoForward(TPenList& list);

// Slot i (0 <= i < UndoSlots; throws std::out_of_range otherwise).
const TPenList& UndoList(std::int32_t i);
// Slot i holds a state that a later step followed, so undo may return to it.
bool UndoValid(std::int32_t i);
// The slot that equals the current list; -1 when the history is empty.
std::int32_t UndoPos();
// The newest slot; -1 when the history is empty.
std::int32_t UndoLast();
bool CanUndo();
bool CanRedo();

// Bytes the snapshots hold beyond what they share with `current`: every chunk of entries
// that `current` does not hold, counted once, and each snapshot's chunk index.
std::size_t UndoExtraBytes(const TPenList& current);

}  // namespace lumidraw::strokes
