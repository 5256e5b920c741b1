#include "core/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <random>
#include <utility>

#include "core/file_upkeep.h"

namespace keiro {
namespace {

std::string describe(const fs::path& path, std::string_view action, std::string_view reason) {
    return "ファイルの" + std::string(action) + "に失敗しました。\n" + path.string() + "\n" +
           std::string(reason);
}

std::string reasonOf(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "ファイルまたはフォルダーが見つかりません。";
        case EACCES:
        case EPERM:
            return "アクセスが拒否されました。";
        case ENOSPC:
            return "ディスクの空き容量が足りません。";
        case EROFS:
            return "書き込み禁止の場所です。";
        case EISDIR:
            return "フォルダーです。";
        case ENOTDIR:
            return "フォルダーではありません。";
        default:
            return std::string("エラー: ") + std::strerror(errorNumber);
    }
}

// A file descriptor closed on scope exit.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

void writeAll(int fd, const fs::path& path, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw IoError(path, "書き込み", errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void syncFolder(const fs::path& folder) {
    Fd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

IoError::IoError(const fs::path& path, std::string_view action, int errorNumber)
    : std::runtime_error(describe(path, action, reasonOf(errorNumber))),
      path_(path),
      errno_(errorNumber) {}

IoError::IoError(const fs::path& path, std::string_view action, std::string_view reason)
    : std::runtime_error(describe(path, action, reason)), path_(path) {}

std::string readFile(const fs::path& path, std::size_t limit) {
    // Non-blocking, so that opening a FIFO never waits for a writer.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) throw IoError(path, "読み込み", errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) throw IoError(path, "読み込み", errno);
    if (!S_ISREG(info.st_mode)) {
        throw IoError(path, "読み込み",
                      "通常のファイルではありません（フォルダー・FIFO・デバイスは読めません）。");
    }
    const auto tooLarge = [&] {
        return IoError(path, "読み込み",
                       "ファイルが大きすぎます（上限 " + std::to_string(limit) + " バイト）。");
    };
    if (static_cast<std::uintmax_t>(info.st_size) > limit) throw tooLarge();
    std::string out;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw IoError(path, "読み込み", errno);
        }
        if (n == 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
        if (out.size() > limit) throw tooLarge();  // grown while read
    }
    return out;
}

bool mayExist(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error) || error;
}

void readAt(const fs::path& path, std::size_t offset, void* out, std::size_t size) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw IoError(path, "読み込み", errno);
    auto* dest = static_cast<char*>(out);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd.get(), dest + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw IoError(path, "読み込み", errno);
        }
        if (n == 0) throw IoError(path, "読み込み", "ファイルが途中で終わっています。");
        done += static_cast<std::size_t>(n);
    }
}

fs::path followLinks(const fs::path& path) {
    constexpr int kMaxLinks = 40;  // as the system's own limit on a chain of links
    fs::path current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) return current;
        const fs::path target = fs::read_symlink(current, error);
        if (error) throw IoError(current, "読み込み", error.value());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw IoError(path, "読み込み", ELOOP);
}

namespace {

// "<name>.tmp" followed by one to six digits: the names writeFileAtomic gives its temporaries.
bool isTempNameOf(const std::string& candidate, const std::string& name) {
    const std::string prefix = name + ".tmp";
    if (candidate.size() <= prefix.size() || candidate.size() > prefix.size() + 6) return false;
    if (candidate.compare(0, prefix.size(), prefix) != 0) return false;
    for (std::size_t i = prefix.size(); i < candidate.size(); ++i) {
        if (candidate[i] < '0' || candidate[i] > '9') return false;
    }
    return true;
}

// "<name>.tmp" and one to six digits, with a name before it.
bool isTempName(const std::string& candidate) {
    const std::size_t at = candidate.rfind(".tmp");
    return at != std::string::npos && at > 0 && isTempNameOf(candidate, candidate.substr(0, at));
}

int removeMatching(const fs::path& folder, const std::function<bool(const std::string&)>& match) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) return 0;
    int removed = 0;
    for (const fs::directory_entry& entry : entries) {
        if (!match(entry.path().filename().string())) continue;
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) continue;
        if (::unlink(entry.path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace

int removeLeftoverTempFiles(const fs::path& path) {
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    const std::string name = path.filename().string();
    return removeMatching(folder,
                          [&name](const std::string& file) { return isTempNameOf(file, name); });
}

int removeLeftoverTempFilesIn(const fs::path& folder) {
    return removeMatching(folder, isTempName);
}

bool tightenPermissions(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || S_ISLNK(info.st_mode)) return false;
    const mode_t loose = info.st_mode & (S_IRWXG | S_IRWXO);
    if (loose == 0) return false;
    return ::chmod(path.c_str(), info.st_mode & 07700) == 0;
}

void writeFileAtomic(const fs::path& linkOrPath, std::string_view content, fs::perms mode) {
    const fs::path path = followLinks(linkOrPath);
    const fs::path folder = path.parent_path();
    std::random_device random;
    fs::path temp;
    int raw = -1;
    for (int attempt = 0; attempt < 10 && raw < 0; ++attempt) {
        temp = path;
        temp += ".tmp" + std::to_string(random() % 1000000);
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                     static_cast<mode_t>(mode));
        if (raw < 0 && errno != EEXIST) throw IoError(path, "書き込み", errno);
    }
    if (raw < 0) throw IoError(path, "書き込み", EEXIST);
    Fd fd(raw);
    try {
        ::fchmod(fd.get(), static_cast<mode_t>(mode));  // exactly `mode`, whatever the umask
        writeAll(fd.get(), path, content.data(), content.size());
        if (::fsync(fd.get()) != 0) throw IoError(path, "書き込み", errno);
        if (::close(fd.release()) != 0) throw IoError(path, "書き込み", errno);
        if (::rename(temp.c_str(), path.c_str()) != 0) throw IoError(path, "書き込み", errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    syncFolder(folder);
    removeLeftoverTempFiles(path);
}

void copyFile(const fs::path& from, const fs::path& to) {
    writeFileAtomic(to, readFile(from));
}

void appendToFile(const fs::path& path, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
    if (fd.get() < 0) throw IoError(path, "書き込み", errno);
    writeAll(fd.get(), path, bytes.data(), bytes.size());
    if (::close(fd.release()) != 0) throw IoError(path, "書き込み", errno);
}

void createPrivateDirectories(const fs::path& path) {
    std::error_code ec;
    fs::path partial;
    for (const auto& part : path) {
        partial /= part;
        if (fs::is_directory(partial, ec)) continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            throw IoError(partial, "作成", errno);
        }
    }
}

}  // namespace keiro
