#pragma once
// A lock beside the year files, held for as long as a program works on the folder, and by
// keiro-tool while a command writes there.  The lock in the runtime folder keeps one copy per
// login; this one also refuses a copy started from another login or a remote session with its
// own runtime folder, which would otherwise open the same year file and write its header over
// the first copy's.  A lock left by a killed copy is stale (its process is gone) and is taken
// over; so is one whose owner cannot be read (empty after a power cut, garbage) when no process
// holds the file open.  Anything else (a directory in its place, a folder that takes no file)
// refuses: a program never works on the folder unlocked.

#include <QLockFile>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>

namespace keiro::ui {

struct LockAttempt {
    enum class Outcome { Taken, Held, Failed };
    Outcome outcome = Outcome::Failed;
    std::unique_ptr<QLockFile> lock;  // when taken
    QString holder;                   // when held: "Keiro (プロセス 1234)"
    QString message;                  // when held or failed: Japanese, naming the lock file
    bool tookOverUnreadable = false;  // a lock whose owner could not be read was replaced
};

// Takes the lock on `path`, waiting up to `waitMs` for a holder to let go.
LockAttempt takeLock(const QString& path, int waitMs = 0);

// A taken lock on `path`, or null (`error` tells why).  A lock whose process is gone, or whose
// owner cannot be read while no process holds it, is taken over however old it is.
std::unique_ptr<QLockFile> tryTakeLock(const QString& path, QLockFile::LockError* error = nullptr);

class DataFolderLock {
  public:
    // `program` names the lock ("Keiro", "KeiroLG"): the two programs may work side by side.
    DataFolderLock(const QString& program, const QString& dataFolder);

    // Taken: this copy holds the lock until it is destroyed.  Held: another running copy has
    // it.  Failed: the lock file cannot be made or read (the message names it).
    const LockAttempt& tryLock(int waitMs = 0);
    bool held() const { return attempt_.lock != nullptr; }
    QString lockPath() const { return path_; }

    // The lock file of `program` in `dataFolder`.
    static QString pathFor(const QString& program, const QString& dataFolder);

  private:
    QString path_;
    LockAttempt attempt_;
};

class MessageService;

// At start-up, before anything is written: the program's lock on its data folder.  Under it,
// the temporary files interrupted saves left there are removed and a replaced unreadable lock is
// logged.  The exit code when the program must end instead: 0 after `refusal` (another copy
// runs), 1 after the failure's message.
std::optional<int> takeDataFolder(DataFolderLock& lock, const std::filesystem::path& dataFolder,
                                  MessageService& messages, const QString& refusal);

}  // namespace keiro::ui
