#include "platform/qt/single_instance_lock.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString RuntimeFolder() {
  // XDG_RUNTIME_DIR is per user and cleared at log-out; without it, a per-user
  // folder under the temporary folder serves the same purpose.
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
  const QString fallback =
      QDir::tempPath() + "/lumidraw-" + qEnvironmentVariable("USER", QStringLiteral("user"));
  QDir().mkpath(fallback);
  return fallback;
}

}  // namespace

TSingleInstanceLock::TSingleInstanceLock(const QString& name, const QString& folder)
    : lock_(std::make_unique<QLockFile>((folder.isEmpty() ? RuntimeFolder() : folder) + "/" + name +
                                        ".lock")) {
  // The lock is held for the whole run, so it must never be judged stale by age;
  // only a lock whose process is gone is stale.
  lock_->setStaleLockTime(0);
}

TSingleInstanceLock::~TSingleInstanceLock() {
  lock_->unlock();
}

bool TSingleInstanceLock::TryAcquire() {
  return lock_->tryLock(0);
}
