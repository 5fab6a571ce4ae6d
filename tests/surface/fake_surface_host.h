#pragma once
// A host that records what the surface asks of it.

#include <functional>
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

  TClientSize client;
  int bits;
  std::vector<lumidraw::gfx::Rect> changed;
  std::vector<std::string> events;
  std::function<void()> onMessages;
};
