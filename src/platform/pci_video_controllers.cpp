#include "platform/pci_video_controllers.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>

namespace {

std::optional<unsigned long> ReadHexFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string text;
  if (!(in >> text)) return std::nullopt;
  try {
    size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 16);
    if (used != text.size()) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// Vendor lines of pci.ids: four hex digits at the start of the line, two spaces, name.
std::optional<std::string> LookUpVendor(unsigned long vendor,
                                        const std::vector<std::filesystem::path>& files) {
  char key[8];
  std::snprintf(key, sizeof key, "%04lx", vendor);
  for (const auto& file : files) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
      if (line.size() > 6 && line.compare(0, 4, key) == 0 && line[4] == ' ' && line[5] == ' ')
        return line.substr(6);
    }
  }
  return std::nullopt;
}

std::string BuiltInVendor(unsigned long vendor) {
  static const std::map<unsigned long, std::string> known = {
      {0x8086, "Intel Corporation"},
      {0x10de, "NVIDIA Corporation"},
      {0x1002, "Advanced Micro Devices, Inc. [AMD/ATI]"},
  };
  if (auto it = known.find(vendor); it != known.end()) return it->second;
  char text[32];
  std::snprintf(text, sizeof text, "PCI vendor 0x%04lx", vendor);
  return text;
}

}  // namespace

std::vector<std::string> PciVideoControllerCaptions(
    const std::filesystem::path& devicesFolder,
    const std::vector<std::filesystem::path>& pciIdsFiles) {
  std::vector<std::filesystem::path> devices;
  std::error_code error;
  for (std::filesystem::directory_iterator it(devicesFolder, error), end; !error && it != end;
       it.increment(error))
    devices.push_back(it->path());
  std::sort(devices.begin(), devices.end());

  std::vector<std::string> captions;
  for (const auto& device : devices) {
    const auto deviceClass = ReadHexFile(device / "class");
    if (!deviceClass || (*deviceClass >> 16) != 0x03) continue;
    const auto vendor = ReadHexFile(device / "vendor");
    if (!vendor) continue;
    captions.push_back(LookUpVendor(*vendor, pciIdsFiles).value_or(BuiltInVendor(*vendor)));
  }
  return captions;
}
