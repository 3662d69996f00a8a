// What identifies one version of a file on disk: its inode, size and modification time, in
// nanoseconds. A file rewritten in place, or replaced by renaming another over it, gets a new
// stamp, so a long-running reader can tell when to read it again.
//
// Example:
//   auto before = StampOf("work.ics");
//   ...
//   if (StampOf("work.ics") != before) { /* read it again */ }
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace dayweave::agent {

struct FileStamp {
  std::uintmax_t inode = 0;
  std::uintmax_t size = 0;
  std::chrono::sys_time<std::chrono::nanoseconds> modified;

  bool operator==(const FileStamp&) const = default;
};

// StampOf
// The stamp of the file at `path`, or nothing when it cannot be read (missing, no access).
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace dayweave::agent
