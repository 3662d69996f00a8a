#include "agent/input/file_stamp.h"

#include <sys/stat.h>

namespace dayweave::agent {

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  FileStamp stamp;
  stamp.inode = static_cast<std::uintmax_t>(status.st_ino);
  stamp.size = static_cast<std::uintmax_t>(status.st_size);
  stamp.modified = std::chrono::sys_time<std::chrono::nanoseconds>(
      std::chrono::seconds(status.st_mtim.tv_sec) +
      std::chrono::nanoseconds(status.st_mtim.tv_nsec));
  return stamp;
}

}  // namespace dayweave::agent
