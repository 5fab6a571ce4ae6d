#include "surface/extended_precision.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

namespace {

std::int64_t RoundProduct(double a, double b, double c) {
  return (TExtended(a) * TExtended(b) * TExtended(c)).RoundHalfEven();
}

TEST(ExtendedPrecision, ZoomScalesOfAStored115KeepTheirExtendedRounding) {
  // 1.15 is stored just below 1.15; times 10 at a 64-bit significand it stays below
  // 11.5 and rounds to 11, where double arithmetic would give exactly 11.5 -> 12.
  double f = 1.15;
  std::vector<std::int64_t> tenths;
  for (int depth = 0; depth < 8; ++depth) {
    if (depth > 0) f *= 1.15;
    tenths.push_back(RoundProduct(f, 1.0, 10.0));
  }
  EXPECT_EQ(tenths, (std::vector<std::int64_t>{11, 13, 15, 17, 20, 23, 27, 31}));
}

TEST(ExtendedPrecision, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double a, b, c;
    std::int64_t rounded;
  };
  for (const Case& k :
       {Case{0.25, 1.0, 10.0, 2}, Case{0.35, 1.0, 10.0, 3} /* 3.4999... */, Case{1.5, 1.0, 1.0, 2},
        Case{2.5, 1.0, 1.0, 2}, Case{-2.5, 1.0, 1.0, -2}, Case{-3.5, 1.0, 1.0, -4},
        Case{0.0, 5.0, 10.0, 0}, Case{1e-30, 1.0, 1.0, 0}, Case{123456.0, 1.0, 1.0, 123456}})
    EXPECT_EQ(RoundProduct(k.a, k.b, k.c), k.rounded) << k.a << " " << k.b << " " << k.c;
}

TEST(ExtendedPrecision, MatchesAnExtendedLongDoubleWhereTheCompilerHasOne) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the extended format here";
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(0.05, 40.0);
  for (int i = 0; i < 200000; ++i) {
    const double a = value(random), b = value(random), c = i % 2 ? 10.0 : value(random);
    const long double reference = static_cast<long double>(a) * b * c;
    ASSERT_EQ(RoundProduct(a, b, c), static_cast<std::int64_t>(std::nearbyintl(reference)))
        << a << " " << b << " " << c;
  }
}

}  // namespace
