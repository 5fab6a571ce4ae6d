#include "platform/pci_video_controllers.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support/temp_folder.h"

namespace {

void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

void AddDevice(const std::filesystem::path& root, const std::string& slot,
               const std::string& deviceClass, const std::string& vendor) {
  WriteFile(root / slot / "class", deviceClass + "\n");
  WriteFile(root / slot / "vendor", vendor + "\n");
}

TEST(PciVideoControllers, OnlyDisplayClassDevicesNamedByTheirVendor) {
  TTempFolder temp;
  const auto devices = temp.path() / "devices";
  AddDevice(devices, "0000:00:01.0", "0x060000", "0x8086");  // host bridge: not video
  AddDevice(devices, "0000:00:02.0", "0x030000", "0x10de");
  AddDevice(devices, "0000:00:03.0", "0x038000", "0x8086");
  AddDevice(devices, "0000:00:04.0", "0x030200", "0xabcd");
  WriteFile(devices / "0000:00:05.0" / "class", "garbage");  // unreadable: skipped
  WriteFile(temp.path() / "pci.ids",
            "# comment\n10de  NVIDIA Corporation\n\t1234  Some device\n8086  Intel Corporation\n");

  const auto captions = PciVideoControllerCaptions(devices, {temp.path() / "pci.ids"});
  EXPECT_EQ(captions, (std::vector<std::string>{"NVIDIA Corporation", "Intel Corporation",
                                                "PCI vendor 0xabcd"}));
}

TEST(PciVideoControllers, BuiltInNamesWithoutDatabaseAndEmptyForMissingFolder) {
  TTempFolder temp;
  AddDevice(temp.path(), "0000:00:02.0", "0x030000", "0x8086");
  EXPECT_EQ(PciVideoControllerCaptions(temp.path(), {temp.path() / "missing.ids"}),
            std::vector<std::string>{"Intel Corporation"});
  EXPECT_TRUE(PciVideoControllerCaptions(temp.path() / "absent", {}).empty());
}

}  // namespace
