// The floor of a no-op update from a folder: walks the central tree once, with readdir and
// fstatat per entry, and keeps the newest time so the walk cannot be left out. Nothing more.
//   walk_floor DIR
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static long files;
static long long newest;

static void walk(int parent, const char* name) {
  int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return;
  }
  struct dirent* entry;
  while ((entry = readdir(dir))) {
    if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
      continue;
    struct stat st;
    if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW))
      continue;
    if (S_ISDIR(st.st_mode))
      walk(fd, entry->d_name);
    else if (S_ISREG(st.st_mode)) {
      ++files;
      if (st.st_mtim.tv_sec > newest)
        newest = st.st_mtim.tv_sec;
    }
  }
  closedir(dir);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: walk_floor DIR\n");
    return 64;
  }
  walk(AT_FDCWD, argv[1]);
  printf("%ld files, newest %lld\n", files, newest);
  return 0;
}
