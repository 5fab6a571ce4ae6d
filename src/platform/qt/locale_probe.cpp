#include "platform/qt/locale_probe.h"

#include <QLocale>

unsigned UserDefaultLCID() {
  return QLocale::system().language() == QLocale::Japanese ? 0x411u : 0x409u;
}
