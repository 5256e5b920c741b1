#include "widgets/data_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "core/errors.h"
#include "core/file_upkeep.h"
#include "core/syslog.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

// No process holds `path` open with a lock: Qt's lock file keeps an flock while it is held.
bool nobodyHolds(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const bool free = regular && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

QString holderOf(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, program;
    if (!lock.getLockInfo(&pid, &host, &program)) return QStringLiteral("不明なプログラム");
    return QStringLiteral("%1 (プロセス %2)")
        .arg(program.isEmpty() ? QStringLiteral("不明なプログラム") : program)
        .arg(pid);
}

}  // namespace

LockAttempt takeLock(const QString& path, int waitMs) {
    LockAttempt attempt;
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);  // stale only when its process is gone, however old
    bool taken = lock->tryLock(waitMs);
    if (!taken && lock->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, program;
        // An owner that cannot be read is no running copy's when nobody holds the file.
        if (!lock->getLockInfo(&pid, &host, &program) && nobodyHolds(path) && QFile::remove(path)) {
            attempt.tookOverUnreadable = true;
            taken = lock->tryLock(0);
        }
    }
    if (taken) {
        // Like every other file of the program: the owner's alone.
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        attempt.outcome = LockAttempt::Outcome::Taken;
        attempt.lock = std::move(lock);
        return attempt;
    }
    if (lock->error() == QLockFile::LockFailedError && !QFileInfo(path).isDir()) {
        attempt.outcome = LockAttempt::Outcome::Held;
        attempt.holder = holderOf(*lock);
        attempt.message =
            QStringLiteral(
                "データフォルダーは %1 が使用中です。終了してからやり直して下さい。\n【%2】")
                .arg(attempt.holder, path);
        return attempt;
    }
    attempt.outcome = LockAttempt::Outcome::Failed;
    attempt.message = QStringLiteral(
                          "データフォルダーのロックファイルを作れないか、読めません。\n"
                          "ファイルの場所と権限を確かめて下さい。\n【%1】")
                          .arg(path);
    return attempt;
}

std::unique_ptr<QLockFile> tryTakeLock(const QString& path, QLockFile::LockError* error) {
    LockAttempt attempt = takeLock(path);
    if (error) {
        *error = attempt.outcome == LockAttempt::Outcome::Taken  ? QLockFile::NoError
                 : attempt.outcome == LockAttempt::Outcome::Held ? QLockFile::LockFailedError
                                                                 : QLockFile::UnknownError;
    }
    return std::move(attempt.lock);
}

// A hidden name: it is no data file, and the folder lists and copies of *.dat never see it.
QString DataFolderLock::pathFor(const QString& program, const QString& dataFolder) {
    return dataFolder + QStringLiteral("/.%1.lock").arg(program);
}

DataFolderLock::DataFolderLock(const QString& program, const QString& dataFolder)
    : path_(pathFor(program, dataFolder)) {}

const LockAttempt& DataFolderLock::tryLock(int waitMs) {
    if (!held()) attempt_ = takeLock(path_, waitMs);
    return attempt_;
}

std::optional<int> takeDataFolder(DataFolderLock& lock, const std::filesystem::path& dataFolder,
                                  MessageService& messages, const QString& refusal) {
    const LockAttempt& attempt = lock.tryLock();
    if (attempt.outcome == LockAttempt::Outcome::Held) {
        messages.information(nullptr, refusal + QLatin1Char('\n') + attempt.message);
        return 0;
    }
    if (attempt.outcome == LockAttempt::Outcome::Failed) {
        messages.error(nullptr, attempt.message);
        return 1;
    }
    removeLeftoverTempFilesIn(dataFolder);
    if (attempt.tookOverUnreadable) {
        try {
            writeLog(dataFolder, kLogUnreadableLockTakenOver);
        } catch (const IoError&) {
            // the log is a record, not a condition of working
        }
    }
    return std::nullopt;
}

}  // namespace keiro::ui
