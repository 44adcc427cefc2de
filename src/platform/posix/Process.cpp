#include "Process.h"

#include "Paths.h"

#include <cerrno>
#include <thread>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {
// What travels on the status pipe; each message is one atomic write.
struct Message {
  char Kind; // 'P': the program's process id, 'E': exec's error number
  int Value;
};

// The null-terminated pointer list exec wants; built before fork, as the child may not allocate.
std::vector<char*> ArgvOf(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  return args;
}

void Send(int fd, char kind, int value) {
  const Message message{kind, value};
  (void)!write(fd, &message, sizeof message);
}
} // namespace

// A double fork hands the program to init at once, so nobody has to reap it.
// A close-on-exec pipe tells the launcher whether exec succeeded.
TProcessId StartDetached(const std::vector<std::string>& argv, bool searchPath) {
  if (argv.empty())
    return 0;
  std::vector<char*> args = ArgvOf(argv);
  int status[2];
  if (pipe2(status, O_CLOEXEC) != 0)
    return 0;
  const pid_t middle = fork();
  if (middle == 0) {
    close(status[0]);
    const pid_t child = fork();
    if (child == 0) {
      if (searchPath)
        execvp(args[0], args.data());
      else
        execve(args[0], args.data(), environ);
      Send(status[1], 'E', errno);
      _exit(127);
    }
    Send(status[1], 'P', child);
    _exit(0);
  }
  close(status[1]);
  if (middle < 0) {
    close(status[0]);
    return 0;
  }
  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_t child = 0;
  bool execFailed = false;
  Message message{};
  while (read(status[0], &message, sizeof message) == sizeof message) {
    if (message.Kind == 'P')
      child = message.Value;
    else
      execFailed = true;
  }
  close(status[0]);
  return child > 0 && !execFailed ? child : 0;
}

bool StartProgram(const std::string& path, const TStartupInfo&,
                  TProcessInformation& processInformation) {
  processInformation.ProcessId = StartDetached({ToNativePath(path)}, false);
  return processInformation.ProcessId > 0;
}

std::optional<int> RunAndWait(const std::vector<std::string>& argv,
                              std::chrono::milliseconds patience) {
  std::vector<char*> args = ArgvOf(argv);
  const pid_t child = fork();
  if (child < 0)
    return 127;
  if (child == 0) {
    execvp(args[0], args.data());
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    if (done < 0 && errno != EINTR)
      return 128;
    if (std::chrono::steady_clock::now() > deadline)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // Still running (a mail program in the foreground): someone must still reap it.
  std::thread([child] {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return std::nullopt;
}

} // namespace platform
