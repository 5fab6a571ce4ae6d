#pragma once
// The single-instance lock: one process per user holds it while the program runs.
// It is a lock file named after the mutex name in the user's runtime folder; a lock
// left behind by a process that died is taken over, so a crash never blocks the
// next start.

#include <QLockFile>
#include <QString>
#include <memory>

class TSingleInstanceLock {
 public:
  // folder empty: the user's runtime folder.
  explicit TSingleInstanceLock(const QString& name, const QString& folder = {});
  ~TSingleInstanceLock();
  TSingleInstanceLock(const TSingleInstanceLock&) = delete;
  TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;

  // True when this process now holds the lock; false when another live process does.
  bool TryAcquire();

 private:
  std::unique_ptr<QLockFile> lock_;
};
