// Running out of memory: every allocation fails during the calls under WithoutMemory.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "strokes/failing_allocation.h"
#include "strokes/pen_list.h"
#include "strokes/stroke_fixtures.h"
#include "strokes/undo_history.h"

namespace lumidraw::strokes {
namespace {

// Exactly one full chunk, so the next append needs a new one.
TPenList FullChunk() {
  TPenList list;
  for (std::size_t k = 0; k < TPenList::ChunkEntries; ++k) list.AddXY(1, 1, 1);
  return list;
}

TEST(OutOfMemory, AnAppendThatNeedsANewChunkIsDropped) {
  TPenList list = FullChunk();
  const std::vector<TPenE> before = Entries(list);
  WithoutMemory([&] {
    list.AddXY(2, 2, 2);
    list.AddPenUp(StrokeEnd);
    list.Add({3, 3, 3});
    list.AddDn(StrokeHeader, 0, 1, 2, 4, 1);
  });
  EXPECT_EQ(Entries(list), before);
  list.AddXY(2, 2, 2);
  EXPECT_EQ(list.GetCount(), static_cast<std::int32_t>(TPenList::ChunkEntries) + 1);
}

TEST(OutOfMemory, AnAppendToASharedChunkIsDroppedAndTheCopyKept) {
  TPenList list;
  AddStroke(list, 1, 1);
  const TPenList copy = list;
  const std::vector<TPenE> before = Entries(list);
  WithoutMemory([&] { list.AddXY(9, 9, 9); });
  EXPECT_EQ(Entries(list), before);
  EXPECT_EQ(Entries(copy), before);
}

TEST(OutOfMemory, APenDownWritesBothEntriesOrNeither) {
  TPenList list;
  for (std::size_t k = 1; k < TPenList::ChunkEntries; ++k) list.AddXY(1, 1, 1);
  WithoutMemory([&] { list.AddPenDn(5, 5, 5, 0, 1, 2, 4, 1); });
  EXPECT_EQ(list.GetCount(), static_cast<std::int32_t>(TPenList::ChunkEntries) - 1);
  list.AddPenDn(5, 5, 5, 0, 1, 2, 4, 1);
  EXPECT_EQ(list.PenE(list.GetCount() - 1), (TPenE{5, 5, 5}));
}

TEST(OutOfMemory, SelectionChangesOnSharedChunksLeaveTheListAsItWas) {
  TPenList list;
  AddStroke(list, 1, 1);
  AddStroke(list, 2, 2);
  list.Select(0);
  const TPenList copy = list;
  const std::vector<TPenE> before = Entries(list);
  WithoutMemory([&] {
    list.Select(5);
    list.SelectShift(3, 3);
    list.SelectNone();
  });
  EXPECT_EQ(Entries(list), before);
  EXPECT_TRUE(list.Selected());
  EXPECT_EQ(Entries(copy), before);
}

TEST(OutOfMemory, UndoStepsThatCannotBeCopiedChangeNothing) {
  UndoInit();
  TPenList list;
  AddStroke(list, 1, 1);
  UndoPush(list);
  AddStroke(list, 2, 2);
  UndoPush(list);
  AddStroke(list, 3, 3);
  WithoutMemory([&] { UndoPush(list); });
  EXPECT_EQ(UndoPos(), 1);
  EXPECT_EQ(UndoLast(), 1);
  EXPECT_FALSE(CanRedo());

  UndoPush(list);
  const std::vector<TPenE> three = Entries(list);
  WithoutMemory([&] { UndoBack(list); });
  EXPECT_EQ(Entries(list), three);
  EXPECT_EQ(UndoPos(), 2);
  EXPECT_TRUE(CanUndo());
  UndoBack(list);
  EXPECT_EQ(StrokeCount(list), 2);
  WithoutMemory([&] { UndoForward(list); });
  EXPECT_EQ(StrokeCount(list), 2);
  EXPECT_TRUE(CanRedo());
  UndoDone();
}

}  // namespace
}  // namespace lumidraw::strokes
