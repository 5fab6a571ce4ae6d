#include "strokes/undo_history.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "strokes/stroke_fixtures.h"

namespace lumidraw::strokes {
namespace {

class UndoHistory : public ::testing::Test {
 protected:
  void SetUp() override { UndoInit(); }
  void TearDown() override { UndoDone(); }

  // What the overlay does after a capture or a switch of list.
  static void StartHistory(const TPenList& shown) {
    UndoReset();
    UndoPushClear(shown);
    UndoPush(shown);
  }

  // A finished stroke at a place of its own, recorded as a step.
  static void DrawStroke(TPenList& list, int k) {
    AddStroke(list, k, k);
    UndoPush(list);
  }
};

TEST_F(UndoHistory, ThreeStrokesAreUndoneAndRedoneOneByOne) {
  TPenList list;
  StartHistory(list);
  EXPECT_EQ(UndoPos(), 0);
  EXPECT_FALSE(CanUndo());
  for (int k = 0; k < 3; ++k) DrawStroke(list, k);
  const std::vector<TPenE> drawn = Entries(list);
  EXPECT_TRUE(CanUndo());
  EXPECT_FALSE(CanRedo());

  for (const int left : {2, 1, 0}) {
    UndoBack(list);
    EXPECT_EQ(StrokeCount(list), left);
    EXPECT_EQ(CanUndo(), left > 0);
    EXPECT_TRUE(CanRedo());
  }
  for (const int back : {1, 2, 3}) {
    UndoForward(list);
    EXPECT_EQ(StrokeCount(list), back);
    EXPECT_TRUE(CanUndo());
    EXPECT_EQ(CanRedo(), back < 3);
  }
  EXPECT_EQ(Entries(list), drawn);
  EXPECT_EQ(UndoPos(), 3);
  EXPECT_EQ(UndoLast(), 3);
}

TEST_F(UndoHistory, NewStrokeAfterUndosDropsTheRedoSteps) {
  TPenList list;
  StartHistory(list);
  for (int k = 0; k < 5; ++k) DrawStroke(list, k);
  UndoBack(list);
  UndoBack(list);
  const std::vector<TPenE> three = Entries(list);
  DrawStroke(list, 99);
  const std::vector<TPenE> with_new = Entries(list);
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(UndoLast(), UndoPos());

  UndoForward(list);
  EXPECT_EQ(Entries(list), with_new);
  UndoBack(list);
  EXPECT_EQ(Entries(list), three);
  UndoForward(list);
  EXPECT_EQ(Entries(list), with_new);
  EXPECT_FALSE(CanRedo());
}

TEST_F(UndoHistory, EraseAllOnAnEmptyListRecordsNothing) {
  TPenList list;
  StartHistory(list);
  list.Clear();
  UndoPush(list);
  EXPECT_EQ(UndoPos(), 0);
  EXPECT_EQ(UndoLast(), 0);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(UndoValid(0));
}

TEST_F(UndoHistory, EraseAllOfADrawingCanBeUndone) {
  TPenList list;
  StartHistory(list);
  DrawStroke(list, 1);
  const std::vector<TPenE> drawn = Entries(list);
  list.Clear();
  UndoPush(list);
  EXPECT_EQ(UndoPos(), 2);
  UndoBack(list);
  EXPECT_EQ(Entries(list), drawn);
}

TEST_F(UndoHistory, ThreeHundredStrokesAllow255UndosAndNoMore) {
  TPenList list;
  StartHistory(list);
  for (int k = 0; k < 300; ++k) DrawStroke(list, k);
  EXPECT_EQ(UndoLast(), 300 % UndoSlots);

  int undos = 0;
  while (CanUndo()) {
    UndoBack(list);
    ++undos;
    ASSERT_EQ(StrokeCount(list), 300 - undos);
  }
  EXPECT_EQ(undos, 255);
  EXPECT_EQ(UndoPos(), (UndoLast() + 1) % UndoSlots);

  // The 256th undo is disabled; a stray call changes nothing.
  const std::vector<TPenE> oldest = Entries(list);
  UndoBack(list);
  EXPECT_EQ(Entries(list), oldest);
  EXPECT_FALSE(CanUndo());

  int redos = 0;
  while (CanRedo()) {
    UndoForward(list);
    ++redos;
  }
  EXPECT_EQ(redos, 255);
  EXPECT_EQ(StrokeCount(list), 300);
}

TEST_F(UndoHistory, DroppedRedoStepsStayDroppedAfterTheRingWraps) {
  TPenList list;
  StartHistory(list);
  for (int k = 0; k < 265; ++k) DrawStroke(list, k);  // the ring has wrapped
  for (int i = 0; i < 7; ++i) UndoBack(list);
  ASSERT_EQ(StrokeCount(list), 258);
  DrawStroke(list, 1000);  // drops the 7 redo steps (259 ... 265 strokes)

  int undos = 0;
  int previous = StrokeCount(list);
  while (CanUndo()) {
    UndoBack(list);
    ++undos;
    ASSERT_LT(StrokeCount(list), previous) << "undo " << undos << " brought a dropped step back";
    previous = StrokeCount(list);
  }
  // The new step sits in slot 3; slots 4-9 held dropped steps, so undo walks slots 2, 1,
  // 0, 255, ..., 10 and stops at the 10-stroke state.
  EXPECT_EQ(undos, 249);
  EXPECT_EQ(StrokeCount(list), 10);
}

TEST_F(UndoHistory, SwitchingListsStartsAFreshHistoryOfTwoSteps) {
  TPenList desk;
  TPenList board;
  StartHistory(desk);
  DrawStroke(desk, 1);
  DrawStroke(desk, 2);
  const std::vector<TPenE> drawing = Entries(desk);

  StartHistory(board);  // to the whiteboard, empty
  EXPECT_EQ(UndoPos(), 0);
  EXPECT_FALSE(CanUndo());

  StartHistory(desk);  // back to the desktop
  EXPECT_EQ(UndoPos(), 1);
  EXPECT_TRUE(CanUndo());
  UndoBack(desk);
  EXPECT_EQ(desk.GetCount(), 0);
  EXPECT_FALSE(CanUndo());
  UndoForward(desk);
  EXPECT_EQ(Entries(desk), drawing);
  EXPECT_EQ(board.GetCount(), 0);
}

TEST_F(UndoHistory, PushClearRecordsAnEmptyStepOnlyAfterAFullOne) {
  TPenList empty;
  UndoPushClear(empty);
  EXPECT_EQ(UndoPos(), -1);

  TPenList list;
  AddStroke(list, 1, 1);
  UndoPushClear(list);
  EXPECT_EQ(UndoPos(), 0);
  EXPECT_EQ(UndoList(0).GetCount(), 0);
  UndoPushClear(list);  // the current step is already empty
  EXPECT_EQ(UndoPos(), 0);
  EXPECT_FALSE(CanUndo());

  UndoPush(list);
  list.Select(0);
  UndoPush(list);
  UndoPushClear(list);
  EXPECT_EQ(UndoPos(), 3);
  EXPECT_EQ(UndoList(3).GetCount(), 0);
  EXPECT_FALSE(UndoList(3).Selected());
  EXPECT_TRUE(UndoValid(2));
  EXPECT_TRUE(CanUndo());
  EXPECT_FALSE(CanRedo());
}

TEST_F(UndoHistory, ResetForgetsStepsButKeepsSlotContents) {
  TPenList list;
  StartHistory(list);
  DrawStroke(list, 1);
  UndoBack(list);
  UndoReset();
  EXPECT_EQ(UndoPos(), -1);
  EXPECT_EQ(UndoLast(), -1);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
  EXPECT_FALSE(UndoValid(0));
  EXPECT_EQ(StrokeCount(UndoList(1)), 1);

  UndoBack(list);
  UndoForward(list);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
}

TEST_F(UndoHistory, StrayCallsNeverLoadAnOlderDrawing) {
  TPenList list;
  StartHistory(list);
  for (int k = 0; k < 256; ++k) DrawStroke(list, k);  // every slot holds a drawing
  TPenList fresh;
  StartHistory(fresh);
  ASSERT_GT(UndoList(UndoSlots - 1).GetCount(), 0);

  UndoBack(fresh);
  EXPECT_EQ(fresh.GetCount(), 0);
  UndoForward(fresh);
  EXPECT_FALSE(CanUndo());
  UndoBack(fresh);
  EXPECT_EQ(fresh.GetCount(), 0);
  EXPECT_EQ(UndoPos(), 0);
}

TEST_F(UndoHistory, SelectionTravelsWithTheSnapshots) {
  TPenList list;
  StartHistory(list);
  DrawStroke(list, 1);
  list.Select(0);
  UndoPush(list);
  list.SelectNone();
  UndoPush(list);
  UndoBack(list);
  EXPECT_TRUE(list.Selected());
  EXPECT_EQ(list.PenE(0).m() & SelectedBit, SelectedBit);
  UndoBack(list);
  EXPECT_FALSE(list.Selected());
  UndoForward(list);
  UndoForward(list);
  EXPECT_FALSE(list.Selected());
  EXPECT_EQ(list.PenE(0).m() & SelectedBit, 0);
}

TEST_F(UndoHistory, SnapshotsStayPutWhileTheListChanges) {
  TPenList list;
  StartHistory(list);
  for (int k = 0; k < 600; ++k) AddStroke(list, k, k);  // several chunks
  UndoPush(list);
  ASSERT_EQ(UndoPos(), 1);
  const std::vector<TPenE> pushed = Entries(list);
  const auto check = [&pushed] { ASSERT_EQ(Entries(UndoList(1)), pushed); };

  list.AddXY(1, 1, 1);
  check();
  list.Select(0);
  list.SelectShift(4, 4);
  check();
  list.SelectNone();
  check();
  list.Clear();
  check();

  UndoBack(list);
  UndoForward(list);
  EXPECT_EQ(Entries(list), pushed);
  list.Select(5);
  list.SelectShift(-1, -1);
  list.AddPenUp(StrokeEnd);
  check();

  UndoBack(list);
  UndoForward(list);
  EXPECT_EQ(Entries(list), pushed);

  // A stroke begun after an undo leaves the step that redo would bring back alone.
  AddStroke(list, 8, 8);
  UndoPush(list);
  const std::vector<TPenE> newest = Entries(list);
  UndoBack(list);
  AddStroke(list, 7, 7);
  check();
  EXPECT_EQ(Entries(UndoList(2)), newest);
}

TEST_F(UndoHistory, ExtraMemoryIsWhatTheListNoLongerShares) {
  TPenList list;
  for (std::size_t k = 0; k < 2 * TPenList::ChunkEntries + 5; ++k) list.AddXY(1, 2, 3);
  UndoPush(list);
  const std::size_t index = 3 * sizeof(std::shared_ptr<const void>);
  EXPECT_EQ(UndoExtraBytes(list), index);

  list.AddXY(4, 5, 6);  // the last chunk is copied on write
  EXPECT_EQ(UndoExtraBytes(list), index + TPenList::ChunkBytes);
  UndoPush(list);
  EXPECT_EQ(UndoExtraBytes(list), 2 * index + TPenList::ChunkBytes);
  list.Clear();
  EXPECT_EQ(UndoExtraBytes(list), 2 * index + 4 * TPenList::ChunkBytes);
}

TEST_F(UndoHistory, SlotsOutsideTheRingAreRefused) {
  EXPECT_THROW(UndoList(-1), std::out_of_range);
  EXPECT_THROW(UndoList(UndoSlots), std::out_of_range);
  EXPECT_THROW(UndoValid(UndoSlots), std::out_of_range);
  EXPECT_EQ(UndoList(UndoSlots - 1).GetCount(), 0);
}

}  // namespace
}  // namespace lumidraw::strokes
