#include "settings/value_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace lumidraw::settings {

std::string_view TrimText(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  text = TrimText(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, magnitude, base);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFu) return std::nullopt;
    auto pattern = static_cast<std::uint32_t>(magnitude);
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
  }
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (magnitude > (std::uint64_t{1} << 31) || value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::string FormatInteger(std::int32_t value) {
  return std::to_string(value);
}

std::optional<double> ParseFloat(std::string_view text, std::string_view decimal_separator) {
  text = TrimText(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
  }
  std::string plain;
  plain.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!decimal_separator.empty() && text.substr(i).starts_with(decimal_separator)) {
      plain += '.';
      i += decimal_separator.size();
    } else {
      plain += text[i];
      ++i;
    }
  }
  if (plain.empty()) return std::nullopt;
  double value = 0;
  const char* end = plain.data() + plain.size();
  const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatFloat(double value, std::string_view decimal_separator) {
  std::array<char, 64> buffer{};
  const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string out;
  for (const char* p = buffer.data(); p != ptr; ++p) {
    if (*p == '.') {
      out += decimal_separator;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace lumidraw::settings
