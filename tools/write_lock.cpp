#include "tools/write_lock.h"

#include <QCoreApplication>
#include <optional>

#include "core/file_upkeep.h"
#include "widgets/data_folder_lock.h"

namespace keiro::tool {
namespace {

constexpr int kWaitForAnotherRunMs = 30'000;

}  // namespace

WriteLock::WriteLock(const std::filesystem::path& file, const char* program) {
    QCoreApplication::setApplicationName(QStringLiteral("keiro-tool"));  // the holder's name
    std::filesystem::path folder = followLinks(file).parent_path();
    if (folder.empty()) folder = ".";
    const QString path = ui::DataFolderLock::pathFor(QString::fromUtf8(program),
                                                     QString::fromStdString(folder.string()));
    ui::LockAttempt attempt = ui::takeLock(path);
    if (attempt.outcome == ui::LockAttempt::Outcome::Held &&
        attempt.holder.startsWith(QStringLiteral("keiro-tool")))
        attempt = ui::takeLock(path, kWaitForAnotherRunMs);
    if (attempt.outcome == ui::LockAttempt::Outcome::Held)
        throw LockHeldError(attempt.message.toStdString());
    if (attempt.outcome == ui::LockAttempt::Outcome::Failed)
        throw std::runtime_error(attempt.message.toStdString());
    lock_ = std::move(attempt.lock);
}

WriteLock::~WriteLock() = default;
WriteLock::WriteLock(WriteLock&&) noexcept = default;

}  // namespace keiro::tool
