// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kurvex {

/// A file that only grows at its end, written by one thread: a recording.
/// Each failing call leaves the system's reason in Error().
class TAppendFile {
 public:
  virtual ~TAppendFile() = default;

  /// Appends `bytes`; the number written: all of them, or fewer when
  /// writing failed (a full disk, a file-size limit, an I/O error).
  virtual std::size_t Append(std::string_view bytes) = 0;
  /// Shortens the file to its first `size` bytes.
  virtual bool CutTo(std::int64_t size) = 0;
  /// Puts what was written on the disk.
  virtual bool Sync() = 0;
  /// Closes the file; nothing else is called afterwards.
  virtual bool Close() = 0;
  /// Why the last failing call failed, in the system's words.
  virtual const std::string& Error() const = 0;
};

/// Creates `fileName` (or empties it) for appending. Throws EFileError with
/// the system's reason when it cannot be created.
std::unique_ptr<TAppendFile> CreateAppendFile(const std::string& fileName);

/// CreateAppendFile on the disk itself, whatever maker is set.
std::unique_ptr<TAppendFile> CreateDiskAppendFile(const std::string& fileName);

/// Makes the files CreateAppendFile gives; empty: CreateDiskAppendFile. A
/// test puts a full disk in place here.
using TAppendFileMaker = std::function<std::unique_ptr<TAppendFile>(const std::string& fileName)>;
void SetAppendFileMaker(TAppendFileMaker maker);

/// A write beyond the process's file-size limit fails (EFBIG) instead of
/// ending the program. Call once at program start.
void FailWritesBeyondTheFileSizeLimit();

}  // namespace kurvex
