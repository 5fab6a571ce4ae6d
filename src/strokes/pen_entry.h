// One entry of the stroke list: three 32-bit words read two ways.
//
// A point entry holds x, y and the pressure p. A control entry has an x below
// MinPointX: the code StrokeHeader or StrokeEnd. A stroke header keeps the stroke's
// colour word in the second word and four bytes in the third:
//
//   third word, lowest byte first:  t (pen type) | m (mode, bit 7 selected) | w (width) | a (alpha)
//
// A stroke as the surface writes it:  StrokeHeader, first point, further points..., StrokeEnd.
#pragma once

#include <cstdint>

namespace lumidraw::strokes {

// First word of a stroke header and of a stroke end: 0x8007 and 0x8001 sign-extended.
inline constexpr std::int32_t StrokeHeader = -32761;
inline constexpr std::int32_t StrokeEnd = -32767;
// The smallest x of a point entry; anything lower is a control code.
inline constexpr std::int32_t MinPointX = -32749;
// The pressure of a pen pressed fully down.
inline constexpr std::int32_t FullPressure = 1024;
// Bits of a header's m byte.
inline constexpr std::uint8_t SelectedBit = 0x80;
inline constexpr std::uint8_t ModeMask = 0x0F;

struct TPenE {
  std::int32_t x = 0;  // point: X; control entry: the code
  std::int32_t y = 0;  // point: Y; stroke header: the colour word c
  std::int32_t p = 0;  // point: pressure; stroke header: the bytes t, m, w, a

  // A control entry with the low byte of each of t, m, w and a packed into the third word.
  static constexpr TPenE Control(std::int32_t cmd, std::int32_t c, std::int32_t t, std::int32_t m,
                                 std::int32_t w, std::int32_t a) {
    const auto byte = [](std::int32_t v, int shift) {
      return (static_cast<std::uint32_t>(v) & 0xFFu) << shift;
    };
    return {cmd, c, static_cast<std::int32_t>(byte(t, 0) | byte(m, 8) | byte(w, 16) | byte(a, 24))};
  }

  constexpr bool IsControl() const { return x < MinPointX; }
  constexpr bool IsStrokeHeader() const { return x == StrokeHeader; }

  constexpr std::int32_t c() const { return y; }
  constexpr std::uint8_t t() const { return Byte(0); }
  constexpr std::uint8_t m() const { return Byte(8); }
  constexpr std::uint8_t w() const { return Byte(16); }
  constexpr std::uint8_t a() const { return Byte(24); }

  friend constexpr bool operator==(const TPenE&, const TPenE&) = default;

 private:
  constexpr std::uint8_t Byte(int shift) const {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(p) >> shift);
  }
};

// A position read back from the list; x is -1 when there is no such point.
struct TPenPoint {
  std::int32_t x = -1;
  std::int32_t y = -1;

  friend constexpr bool operator==(const TPenPoint&, const TPenPoint&) = default;
};

}  // namespace lumidraw::strokes
