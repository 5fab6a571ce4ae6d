// Pen input as the surface receives it: the window turns its platform's mouse or
// tablet events into these plain values, so no toolkit type enters the engine.
#pragma once

#include <cstdint>

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Modifier keys and buttons held during an event, as bit flags.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;

// What the surface raises for every button press and release (control pixels).
struct TPenEvent {
  TMouseButton Button = TMouseButton::mbLeft;
  TShiftState Shift = 0;
  int X = 0;
  int Y = 0;
};
