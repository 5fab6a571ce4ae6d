#include "toolwin/tool_frm.h"

#include "app/environment.h"
#include "app/ui/window_fonts.h"
#include "platform/pci_video_controllers.h"

namespace {
// The button row is one tool bar of 24-pixel buttons.
constexpr int ClientHeight = 24;
constexpr int InitialClientWidth = 240;
}  // namespace

TToolFrm::TToolFrm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("Lumidraw Desktop"));
  ApplyUIFont(*this);
  // The Intel probe feeds the default of the tool window's hide delay.
  if (WinVer >= 60) CheckIntelVideo(PciVideoControllerCaptions());
  setAttribute(Qt::WA_InputMethodEnabled, false);
  isToolBarHidden = false;
  isDrawSet(false);
  isFirst = true;
  isLast = false;
  setFixedSize(InitialClientWidth, ClientHeight);
}
