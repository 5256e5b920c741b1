#include "widgets/data_folder_lock.h"

#include <QFile>

namespace keiro::ui {

std::unique_ptr<QLockFile> tryTakeLock(const QString& path, QLockFile::LockError* error) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);  // stale only when its process is gone, however old
    const bool taken = lock->tryLock(0);
    if (error) *error = lock->error();
    if (!taken) return nullptr;
    // Like every other file of the program: the owner's alone.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return lock;
}

// A hidden name: it is no data file, and the folder lists and copies of *.dat never see it.
DataFolderLock::DataFolderLock(const QString& program, const QString& dataFolder)
    : path_(dataFolder + QStringLiteral("/.%1.lock").arg(program)) {}

bool DataFolderLock::tryLock() {
    if (lock_) return true;
    QLockFile::LockError error = QLockFile::NoError;
    lock_ = tryTakeLock(path_, &error);
    return lock_ != nullptr || error != QLockFile::LockFailedError;
}

}  // namespace keiro::ui
