// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "platform/system/appendfile.h"

namespace kurvex::test {

/// A file that takes `room` more bytes, then fails as a full disk does.
class NearlyFullFile : public TAppendFile {
 public:
  NearlyFullFile(std::unique_ptr<TAppendFile> file, std::size_t room) : m_file(std::move(file)), m_room(room) {}

  std::size_t Append(std::string_view bytes) override {
    const std::size_t written = m_file->Append(bytes.substr(0, std::min(bytes.size(), m_room)));
    m_room -= written;
    if (written < bytes.size()) m_error = m_room == 0 ? std::strerror(ENOSPC) : m_file->Error();
    return written;
  }
  bool CutTo(std::int64_t size) override { return Forward(m_file->CutTo(size)); }
  bool Sync() override { return Forward(m_file->Sync()); }
  bool Close() override { return Forward(m_file->Close()); }
  const std::string& Error() const override { return m_error; }

 private:
  bool Forward(bool done) {
    if (!done) m_error = m_file->Error();
    return done;
  }

  std::unique_ptr<TAppendFile> m_file;
  std::size_t m_room;
  std::string m_error;
};

/// While it lives, files made by CreateAppendFile lie on a disk that takes
/// `room` more bytes each and then is full (ENOSPC): a full disk for the
/// recorder, not for the whole test process.
class FullDisk {
 public:
  explicit FullDisk(std::size_t room) {
    SetAppendFileMaker([room](const std::string& fileName) -> std::unique_ptr<TAppendFile> {
      return std::make_unique<NearlyFullFile>(CreateDiskAppendFile(fileName), room);
    });
  }
  ~FullDisk() { SetAppendFileMaker(nullptr); }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
};

}  // namespace kurvex::test
