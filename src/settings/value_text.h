// Text forms of stored values: how integers and floats are written into, and read
// back from, settings files and string values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumidraw::settings {

// `text` without leading and trailing characters at or below the space (control
// characters included), as settings files are read.
std::string_view TrimText(std::string_view text);

// ASCII-only case folding: section, key and value names compare without regard to
// letter case.
std::string LowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A 32-bit integer from text: surrounding blanks are ignored, then an optional sign
// and either decimal digits or hexadecimal digits after "$" or "0x" (a value of at
// most 32 bits, taken as the 32-bit pattern, so "$FFFFFFFF" is -1). Decimal text outside the 32-bit
// range, an empty text or any other character gives nullopt.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::string FormatInteger(std::int32_t value);

// A finite double from text written with `decimal_separator` (the user's locale).
// "." is accepted as well, so a file written under another locale still reads; there
// is no grouping. Infinities, NaN and anything unparsable give nullopt.
std::optional<double> ParseFloat(std::string_view text, std::string_view decimal_separator);
// The shortest text that reads back as the same double, with `decimal_separator`.
std::string FormatFloat(double value, std::string_view decimal_separator);

}  // namespace lumidraw::settings
