// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/hotplugwatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/system/dispatcher.h"

namespace kurvex {

namespace fs = std::filesystem;

namespace {

// One mask for every watch: inotify merges watches on the same folder, and
// a folder may be a waiting point for one target and a target of its own.
constexpr std::uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                     IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// A folder path that is created and removed without pause could keep the
// watch moving for ever; after this many tries it waits for the next event.
constexpr int kMaxArmAttempts = 100;

fs::path NearestExisting(fs::path folder) {
  std::error_code error;
  while (!fs::is_directory(folder, error) && folder.has_relative_path()) {
    folder = folder.parent_path();
  }
  return folder;
}

}  // namespace

/// Report queue shared with the calls posted to the GUI thread, which may
/// run after the watch has gone.
struct ReportQueue {
  std::mutex Mutex;
  std::vector<THotplugChange> Pending;
  bool Posted = false;
  /// Read and cleared on the GUI thread only.
  THotplugWatch* Owner = nullptr;
};

struct THotplugWatch::Reader {
  struct Target {
    fs::path Folder;
    int Watch = -1;
    bool Direct = false;  ///< the watch is on the folder itself, not on an ancestor
  };

  int Notify = -1;
  int Wake = -1;
  std::vector<Target> Targets;
  std::shared_ptr<ReportQueue> Queue = std::make_shared<ReportQueue>();
  std::thread Thread;

  bool InUse(int watch) const {
    return std::any_of(Targets.begin(), Targets.end(),
                       [watch](const Target& t) { return t.Watch == watch; });
  }

  void Unwatch(int watch) {
    if (watch >= 0 && !InUse(watch)) inotify_rm_watch(Notify, watch);
  }

  // Watches the folder or, while it is missing, the nearest ancestor that
  // exists. True when the folder itself became watched.
  bool Arm(Target& target) {
    const int old = target.Watch;
    target.Watch = -1;
    target.Direct = false;
    // What is created on the way to the folder before the new watch stands
    // sends it no event, and a folder that vanishes makes the watch fail:
    // look again until the watch sits on the nearest folder that exists.
    for (int attempt = 0; attempt < kMaxArmAttempts; ++attempt) {
      const fs::path at = NearestExisting(target.Folder);
      const int watch = inotify_add_watch(Notify, at.c_str(), kWatchMask);
      if (watch < 0) continue;
      const int previous = std::exchange(target.Watch, watch);
      Unwatch(previous);
      target.Direct = at == target.Folder;
      if (target.Direct || NearestExisting(target.Folder) == at) break;
    }
    Unwatch(old);
    return target.Direct;
  }

  void Report(std::vector<THotplugChange> changes) {
    if (changes.empty()) return;
    std::lock_guard lock(Queue->Mutex);
    Queue->Pending.insert(Queue->Pending.end(), changes.begin(), changes.end());
    if (Queue->Posted) return;
    Queue->Posted = true;
    TDispatcher::Post([queue = Queue] {
      std::vector<THotplugChange> batch;
      {
        std::lock_guard lock(queue->Mutex);
        batch.swap(queue->Pending);
        queue->Posted = false;
      }
      if (queue->Owner != nullptr && queue->Owner->OnChange) queue->Owner->OnChange(batch);
    });
  }

  void Handle(const inotify_event& event, std::vector<THotplugChange>& changes) {
    if (event.mask & IN_Q_OVERFLOW) {
      changes.push_back({});
      return;
    }
    const std::string name = event.len > 0 ? event.name : "";
    for (Target& target : Targets) {
      if (target.Watch != event.wd) continue;
      const bool gone = event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED);
      if (target.Direct && !gone && !name.empty()) {
        changes.push_back({target.Folder, name, (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0});
        continue;
      }
      // The folder went away, or something appeared on the way to it.
      if (gone && target.Direct) changes.push_back({target.Folder, {}, false});
      if (Arm(target)) changes.push_back({target.Folder, {}, true});
    }
  }

  void Run() {
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
      pollfd waits[2] = {{Notify, POLLIN, 0}, {Wake, POLLIN, 0}};
      if (poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (waits[1].revents != 0) return;
      const ssize_t length = read(Notify, buffer, sizeof buffer);
      if (length <= 0) {
        if (length < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        return;
      }
      std::vector<THotplugChange> changes;
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        Handle(*event, changes);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
      Report(std::move(changes));
    }
  }
};

THotplugWatch::THotplugWatch(std::vector<fs::path> folders) : m_reader(std::make_unique<Reader>()) {
  Reader& reader = *m_reader;
  reader.Queue->Owner = this;
  reader.Notify = inotify_init1(IN_CLOEXEC);
  reader.Wake = eventfd(0, EFD_CLOEXEC);
  if (reader.Notify < 0 || reader.Wake < 0) return;
  for (fs::path& folder : folders) {
    reader.Targets.push_back({std::move(folder)});
    reader.Arm(reader.Targets.back());
  }
  reader.Thread = std::thread([&reader] { reader.Run(); });
}

THotplugWatch::~THotplugWatch() {
  Reader& reader = *m_reader;
  reader.Queue->Owner = nullptr;
  if (reader.Thread.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(reader.Wake, &one, sizeof one);
    reader.Thread.join();
  }
  if (reader.Notify >= 0) close(reader.Notify);
  if (reader.Wake >= 0) close(reader.Wake);
}

bool THotplugWatch::Watching() const { return m_reader->Thread.joinable(); }

}  // namespace kurvex
