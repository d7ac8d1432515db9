// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/receivemarks.h"

#include <cstring>

namespace kurvex {

namespace {

constexpr std::uint8_t kMark = 0xFF;

}  // namespace

std::size_t TReceiveMarks::Decode(std::uint8_t* bytes, std::size_t count,
                                  std::vector<std::size_t>& errorsAt) {
  errorsAt.clear();
  std::size_t out = 0;
  std::size_t in = 0;
  while (in < count) {
    const std::uint8_t byte = bytes[in];
    switch (m_state) {
      case State::Data: {
        // Plain runs move as a whole; only a mark needs a closer look.
        const void* mark = std::memchr(bytes + in, kMark, count - in);
        const std::size_t run = mark == nullptr ? count - in : static_cast<const std::uint8_t*>(mark) - (bytes + in);
        std::memmove(bytes + out, bytes + in, run);
        out += run;
        in += run;
        if (in < count) {
          m_state = State::Escape;
          ++in;
        }
        continue;
      }
      case State::Escape:
        if (byte == 0) {
          m_state = State::Marked;
        } else {
          // 0xFF 0xFF is a 0xFF. The line sends no other pair; should one
          // come, its second byte is kept (the data never grows in place).
          bytes[out++] = byte;
          m_state = State::Data;
        }
        break;
      case State::Marked:
        errorsAt.push_back(out);
        m_state = State::Data;
        break;
    }
    ++in;
  }
  return out;
}

}  // namespace kurvex
