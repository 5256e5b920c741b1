// A save killed at any moment leaves the year file whole: a helper saving one period in a loop
// through the program's save path is killed with SIGKILL at random moments, and after every kill
// the file has the year file's size, reads, and holds one of the two states the helper writes.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/fileio.h"
#include "core/records.h"
#include "core/yearfile.h"

extern char** environ;

namespace keiro {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

pid_t spawnHelper(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string program = KEIRO_SAVE_LOOP;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

int runHelper(const std::vector<std::string>& arguments) {
    const pid_t pid = spawnHelper(arguments);
    if (pid < 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<fs::path> temporaryFilesOf(const fs::path& file) {
    std::vector<fs::path> found;
    const std::string prefix = file.filename().string() + ".tmp";
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
    }
    return found;
}

TEST(CrashSafetyTest, SaveKilledAtRandomMomentsLeavesAWholeYearFile) {
    const fs::path folder =
        fs::temp_directory_path() / ("keiro-crash-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "令和08年.dat";

    // The two legal states, and how long one start and save takes.
    ASSERT_EQ(runHelper({file.string(), "once", "1"}), 0);
    const std::string stateB = readFile(file);
    const Clock::time_point before = Clock::now();
    ASSERT_EQ(runHelper({file.string(), "once", "0"}), 0);
    const auto oneRun = Clock::now() - before;
    const std::string stateA = readFile(file);
    ASSERT_EQ(stateA.size(), kYearFileSize);
    ASSERT_NE(stateA, stateB);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // From the helper's start to a few saves into its loop.
    const auto window =
        std::chrono::duration_cast<std::chrono::microseconds>(oneRun * 3).count() + 1;
    std::uniform_int_distribution<long> delay(0, window);

    // At least 200 kills, and on until a quarter of that many hit a save in progress: a busy
    // machine stretches the start before the loop, so more kills land before the first save.
    constexpr int kKills = 200;
    constexpr int kMidWriteKills = kKills / 4;
    constexpr int kMostKills = kKills * 3;
    int killedMidWrite = 0;
    int kills = 0;
    for (int kill = 0; kill < kMostKills && (kill < kKills || killedMidWrite < kMidWriteKills);
         ++kill) {
        ++kills;
        SCOPED_TRACE("kill " + std::to_string(kill));
        const std::size_t leftoversBefore = temporaryFilesOf(file).size();
        const pid_t child = spawnHelper({file.string(), "loop"});
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the helper ended by itself: " << status;

        ASSERT_EQ(fs::file_size(file), kYearFileSize);
        ASSERT_NO_THROW(readYearFileHeader(file));
        ASSERT_NO_THROW(readPeriodBlock(file, 1));
        const std::string now = readFile(file);
        ASSERT_TRUE(now == stateA || now == stateB) << "the file holds neither saved state";
        if (temporaryFilesOf(file).size() > leftoversBefore) ++killedMidWrite;

        // The next save, uninterrupted.
        ASSERT_EQ(runHelper({file.string(), "once", std::to_string(kill % 2)}), 0);
        ASSERT_EQ(readFile(file), kill % 2 == 0 ? stateA : stateB);
        EXPECT_TRUE(temporaryFilesOf(file).empty())
            << "the save left temporary files of an interrupted save";
    }
    std::cout << kills << " kills, " << killedMidWrite << " while a temporary file was open\n";
    // Enough kills must hit a save in progress, or the test proves little.
    EXPECT_GE(killedMidWrite, kMidWriteKills);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace keiro
