#pragma once
// Captions of the machine's video controllers, read from the PCI devices of display
// class (0x03xxxx) under a sysfs-like folder. A caption is the vendor's name from a
// pci.ids database when one is found, otherwise a built-in name for the common
// vendors, otherwise "PCI vendor 0xNNNN". Devices whose files cannot be read are
// skipped; a missing folder gives an empty list. Never throws.

#include <filesystem>
#include <string>
#include <vector>

std::vector<std::string> PciVideoControllerCaptions(
    const std::filesystem::path& devicesFolder = "/sys/bus/pci/devices",
    const std::vector<std::filesystem::path>& pciIdsFiles = {"/usr/share/misc/pci.ids",
                                                             "/usr/share/hwdata/pci.ids"});
