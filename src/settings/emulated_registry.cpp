#include "settings/emulated_registry.h"

#include <charconv>
#include <stdexcept>
#include <utility>

#include "settings/settings_file.h"
#include "settings/value_text.h"

namespace lumidraw::settings {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kString = "sz:";
constexpr std::string_view kInteger = "dword:";
constexpr std::string_view kBinary = "hex:";
constexpr std::string_view kHexDigits = "0123456789abcdef";

fs::path Utf8Path(std::string_view text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '=':
        out += "\\=";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

// Position of the first "=" not preceded by an escaping backslash, or npos.
std::size_t FindSeparator(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '=') {
      return i;
    }
  }
  return std::string_view::npos;
}

std::optional<std::uint32_t> ParseHex32(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value, 16);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto pair = ParseHex32(digits.substr(i, 2));
    if (!pair) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*pair));
  }
  return bytes;
}

std::optional<RegistryValue> ParseValue(std::string_view data) {
  RegistryValue value;
  if (data.starts_with(kString)) {
    value.type = RegistryType::String;
    value.text = Unescape(data.substr(kString.size()));
    return value;
  }
  if (data.starts_with(kInteger)) {
    const auto pattern = ParseHex32(data.substr(kInteger.size()));
    if (!pattern) return std::nullopt;
    value.type = RegistryType::Integer;
    value.integer = static_cast<std::int32_t>(*pattern);
    return value;
  }
  if (data.starts_with(kBinary)) {
    auto bytes = ParseHexBytes(data.substr(kBinary.size()));
    if (!bytes) return std::nullopt;
    value.type = RegistryType::Binary;
    value.bytes = std::move(*bytes);
    return value;
  }
  return std::nullopt;
}

std::string FormatValue(const RegistryValue& value) {
  switch (value.type) {
    case RegistryType::String:
      return std::string(kString) + Escape(value.text);
    case RegistryType::Integer: {
      std::string out(kInteger);
      const auto pattern = static_cast<std::uint32_t>(value.integer);
      for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(pattern >> shift) & 0xF];
      return out;
    }
    case RegistryType::Binary:
      break;
  }
  std::string out(kBinary);
  for (const std::uint8_t b : value.bytes) {
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 0xF];
  }
  return out;
}

}  // namespace

fs::path EmulatedRegistryFile(const fs::path& config_folder, std::string_view key_path) {
  std::vector<std::string_view> parts;
  while (!key_path.empty()) {
    const std::size_t cut = key_path.find('\\');
    const std::string_view part = key_path.substr(0, cut);
    // Empty components and dot names never become folders outside the root.
    if (!part.empty() && part != "." && part != "..") parts.push_back(part);
    key_path = cut == std::string_view::npos ? std::string_view{} : key_path.substr(cut + 1);
  }
  if (!parts.empty() && EqualsIgnoreCase(parts.front(), "Software")) parts.erase(parts.begin());
  fs::path file = config_folder;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) file /= Utf8Path(parts[i]);
  file /= Utf8Path(std::string(parts.empty() ? std::string_view("root") : parts.back()) + ".reg");
  return file;
}

EmulatedRegistryKey::EmulatedRegistryKey(fs::path file) : file_(std::move(file)) {
  try {
    if (const auto bytes = ReadSettingsFile(file_)) Parse(*bytes);
  } catch (const std::runtime_error&) {
    writable_ = false;
  }
}

void EmulatedRegistryKey::Parse(std::string_view text) {
  Subkey* current = nullptr;
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    std::string_view line = text.substr(0, cut);
    text = cut == std::string_view::npos ? std::string_view{} : text.substr(cut + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string name = Unescape(line.substr(1, line.size() - 2));
      current = &subkeys_.try_emplace(LowerAscii(name), Subkey{name, {}}).first->second;
      continue;
    }
    const std::size_t separator = FindSeparator(line);
    if (current == nullptr || separator == std::string_view::npos) continue;
    auto value = ParseValue(line.substr(separator + 1));
    if (!value) continue;
    const std::string name = Unescape(line.substr(0, separator));
    current->values.try_emplace(LowerAscii(name), NamedValue{name, std::move(*value)});
  }
}

std::string EmulatedRegistryKey::Serialize() const {
  std::string out;
  for (const auto& [lower, subkey] : subkeys_) {
    out += '[';
    out += Escape(subkey.name);
    out += "]\n";
    for (const auto& [lower_name, named] : subkey.values) {
      out += Escape(named.name);
      out += '=';
      out += FormatValue(named.value);
      out += '\n';
    }
  }
  return out;
}

std::optional<RegistryValue> EmulatedRegistryKey::Value(std::string_view section,
                                                        std::string_view name) const {
  const auto subkey = subkeys_.find(LowerAscii(section));
  if (subkey == subkeys_.end()) return std::nullopt;
  const auto found = subkey->second.values.find(LowerAscii(name));
  if (found == subkey->second.values.end()) return std::nullopt;
  return found->second.value;
}

void EmulatedRegistryKey::SetValue(std::string_view section, std::string_view name,
                                   const RegistryValue& value) {
  if (!writable_) throw std::runtime_error("registry file cannot be read: " + PathToUtf8(file_));
  Subkey& subkey =
      subkeys_.try_emplace(LowerAscii(section), Subkey{std::string(section), {}}).first->second;
  auto [slot, inserted] =
      subkey.values.try_emplace(LowerAscii(name), NamedValue{std::string(name), value});
  if (!inserted) slot->second.value = value;
  WriteSettingsFile(file_, Serialize());
}

}  // namespace lumidraw::settings
