#pragma once
// Arithmetic at extended precision: a binary floating-point value with a 64-bit
// significand, rounded to nearest with ties to even after every operation, as an
// x87 unit computes an expression. Some view arithmetic must round exactly as such
// an expression would (a stored 1.15 times 10 gives 11.4999..., not 11.5), and
// `long double` is not that format on every compiler, so it is emulated here with
// integers.

#include <cstdint>

class TExtended {
 public:
  explicit TExtended(double value);

  // The product rounded to a 64-bit significand.
  TExtended operator*(const TExtended& other) const;

  // Rounds to the nearest integer, halves to the even neighbour. The value must lie
  // within the range of int64_t.
  std::int64_t RoundHalfEven() const;

 private:
  TExtended(bool negative, std::uint64_t significand, int exponent)
      : negative_(negative), significand_(significand), exponent_(exponent) {}

  // value = (negative ? -1 : 1) * significand * 2^exponent; the significand's top bit
  // is set unless the value is zero.
  bool negative_ = false;
  std::uint64_t significand_ = 0;
  int exponent_ = 0;
};
