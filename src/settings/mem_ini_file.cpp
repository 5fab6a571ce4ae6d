#include "settings/mem_ini_file.h"

#include <stdexcept>
#include <utility>

#include "settings/settings_file.h"
#include "settings/value_text.h"

namespace lumidraw::settings {

namespace {

#ifdef _WIN32
constexpr std::string_view kNativeLineBreak = "\r\n";
#else
constexpr std::string_view kNativeLineBreak = "\n";
#endif

std::string_view FirstLineBreak(std::string_view text) {
  const std::size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos) return kNativeLineBreak;
  if (text[at] == '\n') return "\n";
  return text.substr(at).starts_with("\r\n") ? "\r\n" : "\r";
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

TMemIniFile::TMemIniFile(std::filesystem::path file, const SettingsPlatform& platform)
    : file_(std::move(file)),
      platform_(platform),
      decimal_separator_(platform.DecimalSeparator()),
      line_break_(kNativeLineBreak) {
  std::optional<std::string> bytes;
  try {
    bytes = ReadSettingsFile(file_);
  } catch (const std::runtime_error&) {
    readable_ = false;
  }
  if (!bytes) return;
  encoding_ = DetectEncoding(*bytes);
  const std::string_view body = std::string_view(*bytes).substr(ByteOrderMark(encoding_).size());
  std::string text;
  switch (encoding_) {
    case TextEncoding::System:
      text = platform_.SystemTextToUtf8(body);
      break;
    case TextEncoding::Utf8Bom:
      text = std::string(body);
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      text = Utf16ToUtf8(body, encoding_ == TextEncoding::Utf16Be);
      break;
  }
  line_break_ = FirstLineBreak(text);
  Parse(text);
}

void TMemIniFile::Parse(std::string_view text) {
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t cut = text.find_first_of("\r\n");
    const std::string_view line = TrimText(text.substr(0, cut));
    text = cut == std::string_view::npos ? std::string_view{} : text.substr(cut + 1);
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &SectionFor(TrimText(line.substr(1, line.size() - 2)));
      continue;
    }
    if (current == nullptr) {
      sections_.push_back(Section{{}, false, {}, {}});
      current = &sections_.back();
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      current->lines.push_back(Line{std::string(line), {}, false});
      continue;
    }
    const std::string_view key = TrimText(line.substr(0, equals));
    current->keys.try_emplace(LowerAscii(key), current->lines.size());
    current->lines.push_back(
        Line{std::string(key), std::string(TrimText(line.substr(equals + 1)))});
  }
}

TMemIniFile::Section& TMemIniFile::SectionFor(std::string_view name) {
  const auto [slot, inserted] = section_index_.try_emplace(LowerAscii(name), sections_.size());
  if (inserted) sections_.push_back(Section{std::string(name), true, {}, {}});
  return sections_[slot->second];
}

const std::string* TMemIniFile::Find(std::string_view section, std::string_view key) const {
  const auto s = section_index_.find(LowerAscii(section));
  if (s == section_index_.end()) return nullptr;
  const Section& found = sections_[s->second];
  const auto k = found.keys.find(LowerAscii(key));
  if (k == found.keys.end()) return nullptr;
  return &found.lines[k->second].value;
}

std::int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t def) const {
  const std::string* text = Find(section, key);
  if (text == nullptr) return def;
  return ParseInteger(*text).value_or(def);
}

double TMemIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  const std::string* text = Find(section, key);
  if (text == nullptr) return def;
  return ParseFloat(*text, decimal_separator_).value_or(def);
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  const std::string* text = Find(section, key);
  // Only stored text is cleaned; the caller's default (a folder name, say) stays as it is.
  return text == nullptr ? std::string(def) : SanitizeUtf8(*text);
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, FormatInteger(value));
}

void TMemIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FormatFloat(value, decimal_separator_));
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
    throw std::invalid_argument("a line break cannot be stored in an .ini file");
  }
  Section& target = SectionFor(section);
  const auto [slot, inserted] = target.keys.try_emplace(LowerAscii(key), target.lines.size());
  if (inserted) {
    target.lines.push_back(Line{std::string(key), std::string(value)});
  } else {
    target.lines[slot->second].value = std::string(value);
  }
}

void TMemIniFile::UpdateFile() {
  if (!readable_) throw std::runtime_error("settings file cannot be read: " + PathToUtf8(file_));
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text += line_break_;
    if (section.header) {
      text += '[';
      text += section.name;
      text += ']';
      text += line_break_;
    }
    for (const Line& line : section.lines) {
      text += line.key;
      if (line.pair) {
        text += '=';
        text += line.value;
      }
      text += line_break_;
    }
  }
  std::string bytes(ByteOrderMark(encoding_));
  switch (encoding_) {
    case TextEncoding::System:
      bytes += platform_.Utf8ToSystemText(text);
      break;
    case TextEncoding::Utf8Bom:
      bytes += text;
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      bytes += Utf8ToUtf16(text, encoding_ == TextEncoding::Utf16Be);
      break;
  }
  WriteSettingsFile(file_, bytes);
}

}  // namespace lumidraw::settings
