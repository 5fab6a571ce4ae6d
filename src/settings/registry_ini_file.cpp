#include "settings/registry_ini_file.h"

#include <bit>
#include <cmath>
#include <utility>

#include "settings/text_encoding.h"
#include "settings/value_text.h"

namespace lumidraw::settings {

TRegistryIniFile::TRegistryIniFile(std::unique_ptr<RegistryKey> key) : key_(std::move(key)) {}

std::int32_t TRegistryIniFile::ReadInteger(std::string_view section, std::string_view key,
                                           std::int32_t def) const {
  const auto value = key_->Value(section, key);
  if (!value) return def;
  switch (value->type) {
    case RegistryType::Integer:
      return value->integer;
    case RegistryType::String:
      return ParseInteger(value->text).value_or(def);
    case RegistryType::Binary:
      break;
  }
  return def;
}

double TRegistryIniFile::ReadFloat(std::string_view section, std::string_view key,
                                   double def) const {
  const auto value = key_->Value(section, key);
  if (!value || value->type != RegistryType::Binary || value->bytes.size() != 8) return def;
  std::uint64_t pattern = 0;
  for (int i = 7; i >= 0; --i) pattern = (pattern << 8) | value->bytes[static_cast<std::size_t>(i)];
  const double result = std::bit_cast<double>(pattern);
  return std::isfinite(result) ? result : def;
}

std::string TRegistryIniFile::ReadString(std::string_view section, std::string_view key,
                                         std::string_view def) const {
  const auto value = key_->Value(section, key);
  if (!value || value->type != RegistryType::String) return std::string(def);
  return SanitizeUtf8(value->text);
}

void TRegistryIniFile::WriteInteger(std::string_view section, std::string_view key,
                                    std::int32_t value) {
  const auto existing = key_->Value(section, key);
  RegistryValue stored;
  if (existing && existing->type == RegistryType::String) {
    stored.text = FormatInteger(value);
  } else {
    stored.type = RegistryType::Integer;
    stored.integer = value;
  }
  key_->SetValue(section, key, stored);
}

void TRegistryIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  RegistryValue stored;
  stored.type = RegistryType::Binary;
  auto pattern = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i, pattern >>= 8) {
    stored.bytes.push_back(static_cast<std::uint8_t>(pattern & 0xFF));
  }
  key_->SetValue(section, key, stored);
}

void TRegistryIniFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
  RegistryValue stored;
  stored.text = std::string(value);
  key_->SetValue(section, key, stored);
}

}  // namespace lumidraw::settings
