#include "core/files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace core {

namespace {

// Why a file operation failed, in words a person can act on.
std::string Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "permission denied";
    case EROFS: return "the folder is read-only";
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case ENOENT:
    case ENOTDIR: return "the folder no longer exists";
    default: return std::strerror(error);
  }
}

// The full path of a name in the working directory. When that folder is
// gone, its path is no longer to be had: the one it had when the window was
// made stands in.
std::string FullPath(const std::string& name, const std::string& startFolder) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  if (!error) return path.string();
  return startFolder.empty() ? name : (std::filesystem::path(startFolder) / name).string();
}

}  // namespace

std::string WorkingFolder() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

bool FileExists(const std::string& name) {
  std::error_code error;
  // A link counts, dangling or not: the write would replace it.
  return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

std::string SaveFile(const std::string& name, std::string_view bytes, const std::string& startFolder) {
  // Written beside its final name and renamed into place, so that no reader
  // ever sees half a file.
  const std::string temp = "." + name + "." + std::to_string(::getpid()) + ".part";
  auto fail = [&](int error) {
    std::remove(temp.c_str());
    return FullPath(name, startFolder) + ": " + Reason(error);
  };
  errno = 0;
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (!out) return fail(errno);
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  if (ok) ok = std::fflush(out) == 0;
  const int error = errno;
  if (std::fclose(out) != 0 && ok) return fail(errno);
  if (!ok) return fail(error ? error : EIO);
  if (std::rename(temp.c_str(), name.c_str()) != 0) return fail(errno);
  return "";
}

}  // namespace core
