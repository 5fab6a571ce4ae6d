// Whole-file reads and crash-safe writes of settings files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumidraw::settings {

// A path as UTF-8 text (for settings values and messages; never throws on odd names).
std::string PathToUtf8(const std::filesystem::path& path);

// Larger files are not settings files; they are refused rather than read into memory.
// A full store is a few kilobytes; the bound keeps a damaged file of many tiny lines
// from costing much memory or time when parsed.
inline constexpr std::size_t kMaxSettingsFileSize = 16u << 20;

// The bytes of `file`; nullopt when it does not exist. Throws std::runtime_error when
// something exists there but cannot be read as a settings file (a folder, a device,
// a pipe, a file over kMaxSettingsFileSize, a read error).
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file);

// Replaces the content of `file` by `bytes` through a temporary file of its own in the
// same folder that is renamed over it, so a crash of the program or a full disk never
// leaves a truncated file: afterwards the file holds either its old or its new
// content. (Standard C++ cannot flush to the disk, so a power loss right after a save
// is not covered.) The replaced file keeps its permissions. A symbolic link is
// followed, so the file it names is replaced. Missing parent folders are created.
// Throws std::runtime_error when the new content could not be stored.
void WriteSettingsFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace lumidraw::settings
