// A .ini file held in memory: read whole when opened, written back only by
// UpdateFile, in the text encoding and line-break style it was read in.
//
// Lines are trimmed; "[name]" opens a section; "key=value" is split at the first "="
// and both sides are trimmed. Sections and keys match without regard to letter case.
// A section that appears twice is one section; of a key that appears twice the first
// one counts. Other lines (comments, text without "=") and lines before the first
// section are kept and written back unchanged; blank lines are dropped.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/settings_platform.h"
#include "settings/settings_store.h"
#include "settings/text_encoding.h"

namespace lumidraw::settings {

class TMemIniFile final : public TSettingsStore {
 public:
  // Reads `file` (absolute). A missing file is an empty store, written in the system
  // encoding. A file that exists but cannot be read (see ReadSettingsFile) reads as
  // empty and refuses UpdateFile, so content that could not be seen is never replaced.
  // Floats are written with the platform's decimal separator.
  TMemIniFile(std::filesystem::path file, const SettingsPlatform& platform);

  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t def) const override;
  double ReadFloat(std::string_view section, std::string_view key, double def) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const override;

  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) override;
  void WriteFloat(std::string_view section, std::string_view key, double value) override;
  // A key or value holding a line break cannot be one line of the file: throws
  // std::invalid_argument instead of letting it forge other lines.
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  // Writes the whole store to the file through a temporary file (settings_file.h).
  void UpdateFile() override;

 private:
  struct Line {
    std::string key;  // the whole trimmed line when !pair
    std::string value;
    bool pair = true;
  };
  struct Section {
    std::string name;
    bool header = true;  // false only for the lines before the first section
    std::vector<Line> lines;
    std::unordered_map<std::string, std::size_t> keys;  // lower-case key -> first line
  };

  void Parse(std::string_view text);
  Section& SectionFor(std::string_view name);
  const std::string* Find(std::string_view section, std::string_view key) const;

  std::filesystem::path file_;
  const SettingsPlatform& platform_;
  std::string decimal_separator_;
  TextEncoding encoding_ = TextEncoding::System;
  std::string line_break_;
  bool readable_ = true;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;  // lower-case name -> index
};

}  // namespace lumidraw::settings
