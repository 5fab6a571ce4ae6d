#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class TTempFolder {
 public:
  TTempFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    do {
      path_ =
          std::filesystem::temp_directory_path() / ("lumidraw-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
