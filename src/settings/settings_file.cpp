#include "settings/settings_file.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace lumidraw::settings {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const char* what, const fs::path& file) {
  throw std::runtime_error(std::string(what) + ": " + PathToUtf8(file));
}

}  // namespace

std::string PathToUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> ReadSettingsFile(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return std::nullopt;
  if (ec || status.type() != fs::file_type::regular) Fail("not a readable settings file", file);
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size > kMaxSettingsFileSize) Fail("settings file too large or unreadable", file);
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail("cannot open settings file", file);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) Fail("cannot read settings file", file);
  return bytes;
}

void WriteSettingsFile(const fs::path& file, std::string_view bytes) {
  std::error_code ec;
  fs::path target = file;
  if (fs::is_symlink(file, ec)) {
    const fs::path resolved = fs::weakly_canonical(file, ec);
    if (!ec) target = resolved;
  }
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

  // A name of its own, so that two programs saving a shared store at once do not
  // write into each other's temporary file.
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  fs::path temporary = target;
  temporary += ".tmp" + std::to_string(random()) + "-" + std::to_string(++counter);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) Fail("cannot create temporary settings file", temporary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      Fail("cannot write settings file", target);
    }
  }
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Fail("cannot replace settings file", target);
  }
}

}  // namespace lumidraw::settings
