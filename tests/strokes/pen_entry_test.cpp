#include "strokes/pen_entry.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lumidraw::strokes {
namespace {

TEST(PenEntry, CodesAreTheSignExtended16BitValues) {
  EXPECT_EQ(StrokeEnd, static_cast<std::int16_t>(0x8001));
  EXPECT_EQ(StrokeHeader, static_cast<std::int16_t>(0x8007));
  EXPECT_EQ(FullPressure, 1024);
}

TEST(PenEntry, ControlAndPointMeetAtMinus32749) {
  struct Case {
    std::int32_t x;
    bool control;
  };
  for (const Case& c : {Case{-32749, false}, Case{-32750, true}, Case{StrokeHeader, true},
                        Case{StrokeEnd, true}, Case{0, false}, Case{-1, false}}) {
    EXPECT_EQ((TPenE{c.x, 5, 7}.IsControl()), c.control) << c.x;
  }
  EXPECT_TRUE((TPenE{StrokeHeader, 0, 0}.IsStrokeHeader()));
  EXPECT_FALSE((TPenE{StrokeEnd, 0, 0}.IsStrokeHeader()));
}

TEST(PenEntry, HeaderBytesAreLowBytesFromLowestToHighest) {
  struct Case {
    std::int32_t t, m, w, a;
    std::uint32_t word;  // the expected third word
  };
  const Case cases[] = {
      {1, 2, 4, 1, 0x01040201u},
      {0, 3, 300, 255, 0xFF2C0300u},  // width 300 keeps its low byte, 44
      {1, 2 | 0x80, 36, 0, 0x00248201u},
      {-1, 0x182, 256, 0x1FF, 0xFF0082FFu},  // only the low byte of each value counts
  };
  for (const Case& c : cases) {
    const TPenE e = TPenE::Control(StrokeHeader, 0x08000001, c.t, c.m, c.w, c.a);
    EXPECT_EQ(e.x, StrokeHeader);
    EXPECT_EQ(e.c(), 0x08000001);
    EXPECT_EQ(static_cast<std::uint32_t>(e.p), c.word);
    EXPECT_EQ(e.t(), c.word & 0xFF);
    EXPECT_EQ(e.m(), (c.word >> 8) & 0xFF);
    EXPECT_EQ(e.w(), (c.word >> 16) & 0xFF);
    EXPECT_EQ(e.a(), c.word >> 24);
  }
}

TEST(PenEntry, ColourWordIsTheSecondWord) {
  const TPenE e{StrokeHeader, 0x10FF0000, 0};
  EXPECT_EQ(e.c(), e.y);
  EXPECT_EQ(e.c(), 0x10FF0000);
}

}  // namespace
}  // namespace lumidraw::strokes
