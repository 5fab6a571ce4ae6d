#include "surface/extended_precision.h"

#include <cmath>

namespace {

struct TWide {
  std::uint64_t hi, lo;
};

TWide Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
  const std::uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & 0xFFFFFFFFu)};
}

constexpr std::uint64_t TopBit = std::uint64_t{1} << 63;

}  // namespace

TExtended::TExtended(double value) {
  if (value == 0.0 || !std::isfinite(value)) return;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
  negative_ = value < 0;
  significand_ = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  exponent_ = exponent - 64;
}

TExtended TExtended::operator*(const TExtended& other) const {
  if (significand_ == 0 || other.significand_ == 0) return TExtended(0.0);
  TWide product = Multiply(significand_, other.significand_);
  int exponent = exponent_ + other.exponent_ + 64;
  if (!(product.hi & TopBit)) {  // 127-bit product: normalise
    product.hi = (product.hi << 1) | (product.lo >> 63);
    product.lo <<= 1;
    --exponent;
  }
  std::uint64_t significand = product.hi;
  if (product.lo > TopBit || (product.lo == TopBit && (significand & 1))) {
    if (++significand == 0) {
      significand = TopBit;
      ++exponent;
    }
  }
  return TExtended(negative_ != other.negative_, significand, exponent);
}

std::int64_t TExtended::RoundHalfEven() const {
  if (significand_ == 0) return 0;
  std::uint64_t magnitude = 0;
  if (exponent_ >= 0) {
    magnitude = significand_ << exponent_;
  } else if (exponent_ >= -64) {
    const int shift = -exponent_;
    const std::uint64_t whole = shift == 64 ? 0 : significand_ >> shift;
    const std::uint64_t rest =
        shift == 64 ? significand_ : significand_ & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    magnitude = whole + ((rest > half || (rest == half && (whole & 1))) ? 1 : 0);
  }
  const auto result = static_cast<std::int64_t>(magnitude);
  return negative_ ? -result : result;
}
