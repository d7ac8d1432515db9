// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvex {

/// A file opened for reading from its start: its size at opening, then its
/// bytes. Error() holds the errno value of the step that failed.
class TReadFile {
 public:
  /// Opens `fileName`; a folder fails with EISDIR.
  explicit TReadFile(const std::string& fileName);
  ~TReadFile();
  TReadFile(const TReadFile&) = delete;
  TReadFile& operator=(const TReadFile&) = delete;

  /// 0 while all went well.
  int Error() const { return m_error; }
  /// The size the file had when it was opened, in bytes.
  std::int64_t Size() const { return m_size; }
  /// Reads up to `size` bytes into `data` (fewer only at the end of the
  /// file) and sets `got`; false when reading failed.
  bool Read(char* data, std::size_t size, std::size_t& got);

 private:
  int m_fd = -1;
  int m_error = 0;
  std::int64_t m_size = 0;
};

}  // namespace kurvex
