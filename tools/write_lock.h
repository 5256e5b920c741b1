#pragma once
// The lock a writing command holds on the folder of the file it writes: the same lock file the
// payroll program ("Keiro") or the year-end program ("KeiroLG") holds for as long as it runs.
// Taken before the file is read, so that no other writer's update is read past and written
// over.  Another keiro-tool run is waited for; a running program is not (it holds the folder
// until it ends) and the command is refused with exit 3, naming it.

#include <QLockFile>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace keiro::tool {

// Exit 3: the folder is held by another program.
class LockHeldError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class WriteLock {
  public:
    WriteLock(const std::filesystem::path& file, const char* program);
    ~WriteLock();
    WriteLock(WriteLock&&) noexcept;

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace keiro::tool
