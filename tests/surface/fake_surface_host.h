#pragma once
// A host that records what the surface asks of it.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "surface/surface_host.h"

class TFakeSurfaceHost : public TSurfaceHost {
 public:
  TFakeSurfaceHost(int width, int height, int bitsPerPixel = 32)
      : client{width, height}, bits(bitsPerPixel) {}

  TClientSize ClientSize() const override { return client; }
  int DisplayBitsPerPixel() const override { return bits; }
  void RectChanged(const lumidraw::gfx::Rect& r) override {
    changed.push_back(r);
    events.push_back("changed");
  }
  void ProcessMessages() override {
    events.push_back("messages");
    if (onMessages) onMessages();
  }

  // The control sits at `origin` on the screen.
  lumidraw::gfx::Point ScreenToControl(lumidraw::gfx::Point screen) const override {
    return {screen.x - origin.x, screen.y - origin.y};
  }

  void SelectionBoxChanged() override {
    ++boxChanges;
    events.push_back("box");
  }

  void SetPointer(int index) override {
    pointer = index;
    events.push_back("pointer " + std::to_string(index));
  }
  void HidePointer() override {
    pointer = -1;
    events.push_back("pointer hidden");
  }
  lumidraw::gfx::Bitmap32 PointerImage(int index) const override {
    auto it = pointerImages.find(index);
    return it != pointerImages.end() ? it->second : lumidraw::gfx::Bitmap32(32, 32);
  }
  void SetPointerImage(int index, const lumidraw::gfx::Bitmap32& image) override {
    pointerImages.insert_or_assign(index, image);
  }

  TClientSize client;
  int bits;
  std::vector<lumidraw::gfx::Rect> changed;
  std::vector<std::string> events;
  std::function<void()> onMessages;
  lumidraw::gfx::Point origin;
  int boxChanges = 0;
  int pointer = 0;  // -1 while hidden
  std::map<int, lumidraw::gfx::Bitmap32> pointerImages;
};
