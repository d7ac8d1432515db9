// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fulldisk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/system/appendfile.h"

namespace kurvex::test {

namespace {

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

}  // namespace

FullDisk::FullDisk(std::size_t room) {
  SetAppendFileMaker([room](const std::string& fileName) -> std::unique_ptr<TAppendFile> {
    return std::make_unique<NearlyFullFile>(CreateDiskAppendFile(fileName), room);
  });
}

FullDisk::~FullDisk() { SetAppendFileMaker(nullptr); }

}  // namespace kurvex::test
