#pragma once
// A lock beside the year files, held for as long as a program works on the folder.  The lock in
// the runtime folder keeps one copy per login; this one also refuses a copy started from another
// login or a remote session with its own runtime folder, which would otherwise open the same
// year file and write its header over the first copy's.  A lock left by a killed copy is stale
// (its process is gone) and is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

namespace keiro::ui {

// A taken lock on `path`, or null when a running process holds it or the lock file cannot be
// written (`error` tells which).  A lock whose process is gone is taken over however old it is.
std::unique_ptr<QLockFile> tryTakeLock(const QString& path, QLockFile::LockError* error = nullptr);

class DataFolderLock {
  public:
    // `program` names the lock ("Keiro", "KeiroLG"): the two programs may work side by side.
    DataFolderLock(const QString& program, const QString& dataFolder);

    // False when another running copy holds the lock.  True when this copy holds it now (until
    // it is destroyed), and also when the folder cannot take a lock file (missing or read-only):
    // no copy can write year files there, so there is nothing to guard.
    bool tryLock();
    bool held() const { return lock_ != nullptr; }
    QString lockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace keiro::ui
