// Program entry, in this order: environment probes, the undo history and the settings'
// built-in values, the single-instance lock, the application object, the tool window as
// main window and the message loop. The lock is released when the loop has ended.

#include <QApplication>
#include <cstdio>

#include "app/environment.h"
#include "platform/qt/locale_probe.h"
#include "platform/qt/single_instance_lock.h"
#include "settings/settings_catalogue.h"
#include "strokes/undo_history.h"
#include "toolwin/tool_frm.h"

namespace {

// Without any display Qt would abort with a core dump; say it plainly instead.
bool HasDisplay() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  return true;
#else
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
    return true;
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  WinVer = WindowsVersion();
  CheckJapanese(UserDefaultLCID());
  lumidraw::strokes::UndoInit();
  lumidraw::settings::SetupDefaults();

  // A second start ends at once and silently; the running program is left alone.
  TSingleInstanceLock lock(QStringLiteral("ZELVA_RVMX_Mutex"));
  if (!lock.TryAcquire()) return 0;

  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "lumidraw: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "start it from a desktop session.\n");
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumidraw Desktop"));
  QApplication::setApplicationVersion(QStringLiteral(LUMIDRAW_VERSION));

  // The tool window is the main window and creates the drawing overlay; the autosave
  // notice, the about window and the setup dialog follow it, hidden, in that order.
  TToolFrm toolFrm;
  toolFrm.show();

  return QApplication::exec();
}
