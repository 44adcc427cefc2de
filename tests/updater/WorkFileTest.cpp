// What a fetch finds at its work file's name: things planted there, and the work files of other
// accounts that share the installation folder.
#include "FolderSource.h"

#include "Installation.h"
#include "ReplacementFile.h"

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {
fs::path WorkFile(const TempDir& local, const std::string& name) {
  return platform::TReplacementFile::WorkFileName((local / name).string());
}

struct Planted {
  const char* What;
  std::function<void(const fs::path& work, const fs::path& outside)> Plant;
};
} // namespace

TEST(WorkFile, WhateverIsPlantedAtItsNameIsRemovedNeverWritten) {
  const Planted cases[] = {
      {"a link to a file elsewhere",
       [](auto& work, auto& outside) { fs::create_symlink(outside, work); }},
      {"a link to nothing",
       [](auto& work, auto& outside) {
         fs::create_symlink(outside.parent_path() / "nowhere", work);
       }},
      {"a second name of a file elsewhere",
       [](auto& work, auto& outside) { fs::create_hard_link(outside, work); }},
      {"a named pipe", [](auto& work, auto&) { ASSERT_EQ(mkfifo(work.c_str(), 0666), 0); }},
      {"an empty folder", [](auto& work, auto&) { fs::create_directory(work); }},
  };
  for (const auto& c : cases) {
    TempDir central, local, elsewhere;
    Place(central, "Treasury.exe", "central bytes", Age(5));
    Place(local, "Treasury.exe", "working copy", Age(1));
    const auto outside = elsewhere.Write("precious.db", "patient records");
    fs::permissions(outside, fs::perms(0600));
    c.Plant(WorkFile(local, "Treasury.exe"), outside);

    EXPECT_TRUE(TFolderSource(local.Folder(), central.Folder())
                    .UpdateFileFromFolder({"Treasury.exe", "Treasury.exe", Age(5)}))
        << c.What;
    EXPECT_EQ(ReadAll(local / "Treasury.exe"), "central bytes") << c.What;
    EXPECT_EQ(AgeOf(local / "Treasury.exe"), Age(5)) << c.What;
    EXPECT_FALSE(fs::is_symlink(local / "Treasury.exe")) << c.What;
    EXPECT_EQ(ReadAll(outside), "patient records") << c.What;
    EXPECT_EQ(fs::status(outside).permissions(), fs::perms(0600)) << c.What;
    EXPECT_FALSE(fs::exists(elsewhere / "nowhere")) << c.What;
    EXPECT_FALSE(fs::exists(fs::symlink_status(WorkFile(local, "Treasury.exe")))) << c.What;
  }
}

namespace {
// What a piece of work did as another account: its exit status and its error, if any.
struct AccountRun {
  int Exit = -1;
  std::string Error;
};

// Runs `work` in a child process as account `uid` (its own group, no others, umask 077: the
// narrowest a workstation may have). 0: done, 1: up to date already, 2: raised.
AccountRun AsAccount(uid_t uid, const std::function<bool()>& work) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0)
    return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    umask(077);
    if (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)
      _exit(3);
    int code = 0;
    try {
      code = work() ? 0 : 1;
    } catch (const std::exception& e) {
      (void)!write(pipeFds[1], e.what(), strlen(e.what()));
      code = 2;
    }
    _exit(code);
  }
  close(pipeFds[1]);
  AccountRun run;
  char buffer[512];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    run.Error.append(buffer, std::size_t(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

constexpr uid_t Nurse = 4101, Doctor = 4102; // two accounts of one workstation

// An installation folder both accounts update, from a central folder both can read.
struct SharedInstallation : ::testing::Test {
  TempDir Central, Local;
  void SetUp() override {
    if (geteuid() != 0)
      GTEST_SKIP() << "needs root to act as two other accounts";
    fs::permissions(Central.Path(), fs::perms(0755));
    fs::permissions(Local.Path(), fs::perms(0777));
    Place(Central, "Treasury.exe", "central bytes", Age(5));
    Place(Local, "Treasury.exe", "working copy", Age(1));
    fs::permissions(Local / "Treasury.exe", fs::perms(0666));
  }
  bool Fetch() {
    return TFolderSource(Local.Folder(), Central.Folder())
        .UpdateFileFromFolder({"Treasury.exe", "Treasury.exe", Age(5)});
  }
  // The work file an earlier run of `uid` left behind, `secondsAgo` old.
  void LeaveWorkFile(uid_t uid, mode_t mode, int secondsAgo) {
    const std::string work = WorkFile(Local, "Treasury.exe");
    ASSERT_EQ(AsAccount(uid,
                        [&] {
                          const int fd = open(work.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
                          const bool ok =
                              fd >= 0 && write(fd, "half", 4) == 4 && fchmod(fd, mode) == 0;
                          close(fd);
                          return ok;
                        })
                  .Exit,
              0);
    const timespec when[2] = {{time(nullptr) - secondsAgo, 0}, {time(nullptr) - secondsAgo, 0}};
    utimensat(AT_FDCWD, work.c_str(), when, 0);
  }
};
} // namespace

TEST_F(SharedInstallation, AnotherAccountsLeftOverWorkFileIsTakenOverWhenNobodyWritesIt) {
  const struct {
    const char* What;
    mode_t Mode;
    int SecondsAgo;
  } cases[] = {
      {"readable, just left by a killed run", 0644, 0},
      {"unreadable, abandoned long ago", 0600, 3600},
  };
  for (const auto& c : cases) {
    Place(Local, "Treasury.exe", "working copy", Age(1));
    LeaveWorkFile(Nurse, c.Mode, c.SecondsAgo);
    const AccountRun run = AsAccount(Doctor, [&] { return Fetch(); });
    EXPECT_EQ(run.Exit, 0) << c.What << ": " << run.Error;
    EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "central bytes") << c.What;
    EXPECT_FALSE(fs::exists(WorkFile(Local, "Treasury.exe"))) << c.What;
  }
}

TEST_F(SharedInstallation, AFreshUnreadableWorkFileOfAnotherAccountFailsThisFetchClearly) {
  LeaveWorkFile(Nurse, 0600, 0);
  const AccountRun run = AsAccount(Doctor, [&] { return Fetch(); });
  EXPECT_EQ(run.Exit, 2);
  EXPECT_EQ(run.Error, "The work file " + WorkFile(Local, "Treasury.exe").string() +
                           " is being written by another account; try again later");
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "working copy");
}

TEST_F(SharedInstallation, ALiveFetchOfAnotherAccountIsWaitedForAndNotRepeated) {
  // The nurse's fetch holds the work file for a while; the doctor's starts meanwhile.
  int held[2];
  ASSERT_EQ(pipe(held), 0);
  const pid_t nurse = fork();
  if (nurse == 0) {
    close(held[0]);
    const AccountRun run = AsAccount(Nurse, [&] {
      platform::TReplacementFile replacement((Local / "Treasury.exe").string());
      (void)!write(held[1], "x", 1);
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
      (void)!write(int(replacement.Handle()), "nurse's copy", 12);
      replacement.Commit(Age(5), 0644);
      return true;
    });
    _exit(run.Exit);
  }
  close(held[1]);
  char signal = 0;
  ASSERT_EQ(read(held[0], &signal, 1), 1);
  close(held[0]);
  const AccountRun doctor = AsAccount(Doctor, [&] { return Fetch(); });
  int status = 0;
  waitpid(nurse, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(doctor.Exit, 1) << doctor.Error; // up to date once the nurse's fetch was done
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "nurse's copy");
  EXPECT_FALSE(fs::exists(WorkFile(Local, "Treasury.exe")));
}

TEST_F(SharedInstallation, WorkFilesCanBeLockedByEveryAccountWhateverTheUmask) {
  const std::string work = WorkFile(Local, "Treasury.exe");
  ASSERT_EQ(AsAccount(Nurse,
                      [&] {
                        platform::TReplacementFile replacement((Local / "Treasury.exe").string());
                        struct stat st {};
                        return stat(work.c_str(), &st) == 0 && (st.st_mode & 0777) == 0644;
                      })
                .Exit,
            0);
}
