#include "strokes/pen_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "strokes/stroke_fixtures.h"

namespace lumidraw::strokes {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::int32_t Header = StrokeHeader;
constexpr std::int32_t End = StrokeEnd;

TEST(PenList, PenStrokeIsHeaderPointsAndEnd) {
  TPenList list;
  list.AddPenDn(5, 6, 512, 0x08000001, 1, 2, 300, 255);
  list.AddXY(7, 8, 900);
  list.AddPenUp(End);
  EXPECT_THAT(Entries(list),
              ElementsAre(TPenE{Header, 0x08000001, static_cast<std::int32_t>(0xFF2C0201u)},
                          TPenE{5, 6, 512}, TPenE{7, 8, 900}, TPenE{End, 0, 0}));

  TPenList dot;
  dot.AddPenDn(1, 2, 0, 0x7F7F7F, 0, 3, 36, 0);
  dot.AddPenUp(End);
  EXPECT_EQ(dot.GetCount(), 3);
  EXPECT_EQ(dot.PenE(0).m(), 3);
  EXPECT_EQ(dot.PenE(0).w(), 36);
}

TEST(PenList, AddAndAddDnAppendExactlyWhatTheyAreGiven) {
  TPenList list;
  list.Add({1, -2, -3});
  list.Add({End, 9, 9});
  list.AddDn(Header, 0x10000000, 0, 0x82, 4, 1);
  list.AddPenUp(-32000);
  EXPECT_THAT(Entries(list),
              ElementsAre(TPenE{1, -2, -3}, TPenE{End, 9, 9}, TPenE{Header, 0x10000000, 0x01048200},
                          TPenE{-32000, 0, 0}));
}

TEST(PenList, PointsNeverTurnIntoControlCodes) {
  TPenList list;
  list.AddXY(-32749, 1, 2);
  list.AddXY(-40000, 3, 4);
  list.AddXY(std::numeric_limits<std::int32_t>::min(), 5, 6);
  list.AddPenDn(-32750, 7, 8, 0, 1, 2, 4, 1);
  EXPECT_THAT(Entries(list),
              ElementsAre(TPenE{-32749, 1, 2}, TPenE{-32749, 3, 4}, TPenE{-32749, 5, 6},
                          TPenE{Header, 0, 0x01040201}, TPenE{-32749, 7, 8}));
}

TEST(PenList, ClearEmptiesTheListAndDropsTheSelection) {
  TPenList list;
  AddStroke(list, 0, 0);
  list.Select(0);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(list.Selected());
  AddStroke(list, 4, 4, 1);
  EXPECT_THAT(Entries(list), ElementsAre(TPenE{Header, 0xFF, 0x01040201}, TPenE{4, 4, FullPressure},
                                         TPenE{End, 0, 0}));
}

TEST(PenList, PenEOutsideTheListThrows) {
  TPenList list;
  EXPECT_THROW(list.PenE(0), std::out_of_range);
  AddStroke(list, 0, 0);
  EXPECT_THROW(list.PenE(-1), std::out_of_range);
  EXPECT_THROW(list.PenE(list.GetCount()), std::out_of_range);
  EXPECT_NO_THROW(list.PenE(list.GetCount() - 1));
}

TEST(PenList, KeepsOrderAcrossManyChunks) {
  TPenList list;
  const auto n = static_cast<std::int32_t>(3 * TPenList::ChunkEntries + 5);
  for (std::int32_t i = 0; i < n; ++i) list.AddXY(i, -i, i * 3);
  ASSERT_EQ(list.GetCount(), n);
  for (std::int32_t i = 0; i < n; ++i) ASSERT_EQ(list.PenE(i), (TPenE{i, -i, i * 3})) << i;
}

// Three strokes of three points: headers at 0, 5 and 10, ends at 4, 9 and 14.
TPenList ThreeStrokes() {
  TPenList list;
  AddStroke(list, 10, 10);
  AddStroke(list, 20, 20);
  AddStroke(list, 30, 30);
  return list;
}

TEST(PenList, SelectMarksOnlyAStrokeHeader) {
  const TPenList before = ThreeStrokes();
  for (const std::int32_t i : {1, 4, 14, -1, 15, std::numeric_limits<std::int32_t>::max()}) {
    TPenList list = before;
    list.Select(i);
    EXPECT_EQ(Entries(list), Entries(before)) << i;
    EXPECT_FALSE(list.Selected()) << i;
  }
  TPenList list = before;
  list.Select(5);
  list.Select(5);
  EXPECT_TRUE(list.Selected());
  const TPenE h = list.PenE(5);
  EXPECT_EQ(h.m(), 0x82);
  EXPECT_EQ(h.p & ~0xFF00, before.PenE(5).p & ~0xFF00);
  EXPECT_EQ(h.c(), before.PenE(5).c());
  std::vector<TPenE> expected = Entries(before);
  expected[5] = h;
  EXPECT_EQ(Entries(list), expected);
}

TEST(PenList, SelectNoneUnmarksEveryHeader) {
  const TPenList before = ThreeStrokes();
  TPenList list = before;
  list.Select(0);
  list.Select(10);
  list.SelectNone();
  EXPECT_FALSE(list.Selected());
  EXPECT_EQ(Entries(list), Entries(before));

  // A header stored already marked is unmarked too.
  TPenList stored;
  stored.AddDn(Header, 0, 1, 0x82, 4, 1);
  stored.SelectNone();
  EXPECT_EQ(stored.PenE(0).m(), 2);
}

TEST(PenList, EmptyListHasNothingToSelectShiftOrFind) {
  TPenList list;
  list.SelectShift(5, 5);
  list.SelectNone();
  list.Select(0);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(list.Selected());
  EXPECT_EQ(list.NearP_DN(0, 1).x, -1);
  EXPECT_EQ(list.NearP_UP(0, 1).x, -1);
}

TEST(PenList, SelectShiftMovesOnlyThePointsOfMarkedStrokes) {
  const TPenList before = ThreeStrokes();
  TPenList list = before;
  list.Select(5);
  list.SelectShift(-7, 100);
  std::vector<TPenE> expected = Entries(before);
  expected[5] = list.PenE(5);
  for (const int k : {6, 7, 8}) {
    expected[k].x -= 7;
    expected[k].y += 100;
  }
  EXPECT_EQ(Entries(list), expected);
}

TEST(PenList, SelectShiftFollowsTheLastHeaderOverOtherControlEntries) {
  TPenList list;
  list.AddDn(Header, 0, 1, 2, 4, 1);
  list.AddXY(1, 1, 0);
  list.AddPenUp(End);
  list.AddXY(2, 2, 0);  // after the end, still governed by the marked header
  list.AddDn(Header, 0, 1, 2, 4, 1);
  list.AddXY(3, 3, 0);
  list.Select(0);
  list.SelectShift(10, 20);
  EXPECT_EQ(list.PenE(1), (TPenE{11, 21, 0}));
  EXPECT_EQ(list.PenE(2), (TPenE{End, 0, 0}));
  EXPECT_EQ(list.PenE(3), (TPenE{12, 22, 0}));
  EXPECT_EQ(list.PenE(5), (TPenE{3, 3, 0}));
}

TEST(PenList, SelectShiftSaturatesInsteadOfWrapping) {
  constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
  TPenList list;
  list.AddDn(Header, 0, 1, 2, 4, 1);
  list.AddXY(-32700, Max - 1, 0);
  list.AddXY(Max - 1, Min + 1, 0);
  list.Select(0);
  list.SelectShift(-100, 5);
  EXPECT_EQ(list.PenE(1), (TPenE{MinPointX, Max, 0}));
  list.SelectShift(Max, -10);
  EXPECT_EQ(list.PenE(2), (TPenE{Max, Min, 0}));
}

// Header 0, points (10,11) (20,21) (30,31), end 4, header 5, points (60,61) (70,71).
TPenList TwoStrokesForNearP() {
  TPenList list;
  list.AddPenDn(10, 11, 1024, 0, 1, 2, 4, 1);
  list.AddXY(20, 21, 1024);
  list.AddXY(30, 31, 1024);
  list.AddPenUp(End);
  list.AddPenDn(60, 61, 1024, 0, 1, 2, 4, 1);
  list.AddXY(70, 71, 1024);
  return list;
}

struct NearCase {
  std::int32_t i, n;
  TPenPoint expected;
};

TEST(PenList, NearP_DNFindsTheNthPointOfTheStrokeBeforeI) {
  const TPenList list = TwoStrokesForNearP();
  const TPenPoint none{};
  const NearCase cases[] = {
      {8, 1, {60, 61}},    {8, 2, {70, 71}}, {8, 10, {70, 71}},  // shorter: last before i
      {7, 10, {60, 61}},   {4, 2, {20, 21}}, {4, 3, {30, 31}},
      {0, 1, none},        {6, 1, none},   // only the header lies before i
      {5, 10, {30, 31}},                   // the stroke's end is skipped, its last point returned
      {1000, 1, {60, 61}}, {-3, 1, none},  // i is held to the list
      {8, 0, none},        {8, -5, none},  // no 0th or negative point
  };
  for (const NearCase& c : cases) {
    EXPECT_EQ(list.NearP_DN(c.i, c.n), c.expected) << "i=" << c.i << " n=" << c.n;
  }
  TPenList headless;
  headless.AddXY(1, 2, 3);
  EXPECT_EQ(headless.NearP_DN(1, 1), none);
}

TEST(PenList, NearP_UPWalksBackAtMostNPlusOneEntriesWithinTheStroke) {
  const TPenList list = TwoStrokesForNearP();
  const TPenPoint none{};
  const NearCase cases[] = {
      {8, 0, {70, 71}}, {8, 1, {60, 61}},    {8, 5, {60, 61}},  // stops at the stroke's first point
      {4, 1, {20, 21}}, {4, 2, {10, 11}},    {3, 10, {10, 11}},
      {5, 1, {30, 31}}, {5, 0, {30, 31}},  // the end entry is skipped
      {6, 3, {60, 61}},                    // header just before i: the point after it
      {0, 5, none},     {1000, 1, {60, 61}},
  };
  for (const NearCase& c : cases) {
    EXPECT_EQ(list.NearP_UP(c.i, c.n), c.expected) << "i=" << c.i << " n=" << c.n;
  }
  TPenList headless;
  for (int k = 0; k < 3; ++k) headless.AddXY(k, k, 0);
  EXPECT_EQ(headless.NearP_UP(3, 1), (TPenPoint{1, 1}));
  EXPECT_EQ(headless.NearP_UP(3, 10), none);  // runs off the start

  TPenList header_last = list;
  header_last.AddPenUp(End);
  header_last.AddDn(Header, 0, 1, 2, 4, 1);
  EXPECT_EQ(header_last.NearP_UP(header_last.GetCount(), 3), none);
}

// Every operation that changes a list, applied to one of two copies.
const std::vector<std::pair<std::string, std::function<void(TPenList&)>>>& Mutations() {
  static const std::vector<std::pair<std::string, std::function<void(TPenList&)>>> all = {
      {"Add",
       [](TPenList& l) {
         l.Add({1, 2, 3});
       }},
      {"AddDn", [](TPenList& l) { l.AddDn(Header, 5, 1, 2, 4, 1); }},
      {"AddPenDn", [](TPenList& l) { l.AddPenDn(1, 2, 3, 4, 1, 2, 4, 1); }},
      {"AddXY", [](TPenList& l) { l.AddXY(9, 9, 9); }},
      {"AddPenUp", [](TPenList& l) { l.AddPenUp(End); }},
      {"Clear", [](TPenList& l) { l.Clear(); }},
      {"Select", [](TPenList& l) { l.Select(static_cast<std::int32_t>(TPenList::ChunkEntries)); }},
      {"SelectNone", [](TPenList& l) { l.SelectNone(); }},
      {"SelectShift", [](TPenList& l) { l.SelectShift(3, -4); }},
      {"many strokes",
       [](TPenList& l) {
         for (int k = 0; k < 600; ++k) AddStroke(l, k, k);
       }},
  };
  return all;
}

// Three chunks of strokes of 4 entries, so a header starts the second chunk; the first
// stroke is marked.
TPenList MarkedDrawing() {
  TPenList list;
  for (int k = 0; k < 700; ++k) AddStroke(list, k, 2 * k, 2);
  list.Select(0);
  return list;
}

TEST(PenList, CopiesAreIndependentUnderEveryChange) {
  for (const auto& [name, mutate] : Mutations()) {
    SCOPED_TRACE(name);
    TPenList list = MarkedDrawing();
    const std::vector<TPenE> saved = Entries(list);
    const TPenList copy = list;
    mutate(list);
    EXPECT_EQ(Entries(copy), saved);
    EXPECT_TRUE(copy.Selected());

    TPenList other = MarkedDrawing();
    TPenList second = other;
    mutate(second);
    EXPECT_EQ(Entries(other), saved);
    EXPECT_TRUE(other.Selected());

    // Both sides changed the same way stay equal.
    TPenList left = MarkedDrawing();
    TPenList right = left;
    mutate(left);
    mutate(right);
    EXPECT_EQ(Entries(left), Entries(right));
    EXPECT_EQ(left.Selected(), right.Selected());
  }
}

TEST(PenList, CopiesThatGrowApartKeepTheirOwnEntries) {
  TPenList list;
  AddStroke(list, 1, 1);
  const std::vector<TPenE> common = Entries(list);
  TPenList copy = list;
  list.AddXY(100, 100, 1);
  copy.AddXY(200, 200, 2);
  copy.AddXY(201, 201, 2);
  list.AddXY(101, 101, 1);

  std::vector<TPenE> mine = common;
  mine.insert(mine.end(), {TPenE{100, 100, 1}, TPenE{101, 101, 1}});
  std::vector<TPenE> theirs = common;
  theirs.insert(theirs.end(), {TPenE{200, 200, 2}, TPenE{201, 201, 2}});
  EXPECT_EQ(Entries(list), mine);
  EXPECT_EQ(Entries(copy), theirs);
}

TEST(PenList, AMovedFromListIsEmptyAndUsable) {
  TPenList list = MarkedDrawing();
  const std::vector<TPenE> drawn = Entries(list);
  TPenList taken = std::move(list);
  EXPECT_EQ(Entries(taken), drawn);
  EXPECT_TRUE(taken.Selected());
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(list.Selected());
  AddStroke(list, 1, 1);
  EXPECT_EQ(StrokeCount(list), 1);

  TPenList other;
  AddStroke(other, 2, 2);
  other = std::move(taken);
  EXPECT_EQ(Entries(other), drawn);
  EXPECT_EQ(taken.GetCount(), 0);
}

TEST(PenList, CopiesShareEveryChunkTheyDoNotChange) {
  TPenList list = MarkedDrawing();
  const TPenList copy = list;
  const std::vector<const void*> ids = copy.ChunkIds();
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_EQ(list.ChunkIds(), ids);

  list.AddXY(1, 1, 1);
  std::vector<const void*> now = list.ChunkIds();
  EXPECT_EQ(now[0], ids[0]);
  EXPECT_EQ(now[1], ids[1]);
  EXPECT_NE(now[2], ids[2]);
  EXPECT_EQ(copy.ChunkIds(), ids);

  list.Select(static_cast<std::int32_t>(TPenList::ChunkEntries));  // a header in chunk 1
  now = list.ChunkIds();
  EXPECT_EQ(now[0], ids[0]);
  EXPECT_NE(now[1], ids[1]);

  // Once unshared, a chunk is written in place.
  const std::vector<const void*> own = list.ChunkIds();
  list.SelectNone();
  list.AddXY(2, 2, 2);
  EXPECT_EQ(list.ChunkIds()[1], own[1]);
  EXPECT_EQ(list.ChunkIds()[2], own[2]);
  EXPECT_NE(list.ChunkIds()[0], ids[0]);  // the marked first stroke lives there
}

TEST(PenList, ChangesThatChangeNothingCopyNothing) {
  TPenList list = ThreeStrokes();
  const TPenList copy = list;
  list.SelectShift(5, 5);  // nothing marked
  list.SelectNone();
  list.SelectShift(0, 0);
  EXPECT_EQ(list.ChunkIds(), copy.ChunkIds());
}

}  // namespace
}  // namespace lumidraw::strokes
