#include "Process.h"

#include "Paths.h"

#include <cerrno>
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

void Send(int fd, char kind, int value) {
  const Message message{kind, value};
  (void)!write(fd, &message, sizeof message);
}
} // namespace

// A double fork hands the program to init at once, so nobody has to reap it.
// A close-on-exec pipe tells the launcher whether exec succeeded.
bool CreateProcess(const std::string& path, const TStartupInfo&,
                   TProcessInformation& processInformation) {
  const std::string native = ToNativePath(path);
  char* const argv[] = {const_cast<char*>(native.c_str()), nullptr};
  int status[2];
  if (pipe2(status, O_CLOEXEC) != 0)
    return false;
  const pid_t middle = fork();
  if (middle == 0) {
    close(status[0]);
    const pid_t child = fork();
    if (child == 0) {
      execve(native.c_str(), argv, environ);
      Send(status[1], 'E', errno);
      _exit(127);
    }
    Send(status[1], 'P', child);
    _exit(0);
  }
  close(status[1]);
  if (middle < 0) {
    close(status[0]);
    return false;
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
  const bool started = child > 0 && !execFailed;
  processInformation.ProcessId = started ? child : 0;
  return started;
}

} // namespace platform
