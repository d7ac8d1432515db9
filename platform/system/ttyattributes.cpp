// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/ttyattributes.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <array>
#include <cerrno>
#include <utility>

namespace kurvex {

namespace {

// Rates with a classic code: other programs reading the line the old way
// see them as they are; every other rate goes through BOTHER.
constexpr std::array<std::pair<std::uint32_t, tcflag_t>, 30> kStandardRates = {{
    {50, B50},         {75, B75},           {110, B110},         {134, B134},
    {150, B150},       {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

tcflag_t SpeedCode(std::uint32_t baud) {
  for (const auto& [rate, code] : kStandardRates) {
    if (rate == baud) {
      return code;
    }
  }
  return BOTHER;
}

tcflag_t CharacterSize(std::uint8_t dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

tcflag_t ParityFlags(SerialParity parity) {
  switch (parity) {
    case SerialParity::None: return 0;
    case SerialParity::Odd: return PARENB | PARODD;
    case SerialParity::Even: return PARENB;
    case SerialParity::Mark: return PARENB | CMSPAR | PARODD;
    case SerialParity::Space: return PARENB | CMSPAR;
  }
  return 0;
}

}  // namespace

int ApplyTtySettings(int fd, const SerialLineSettings& settings) {
  // 0 baud would hang the line up; other data sizes have no termios code.
  if (settings.BaudRate == 0 || settings.DataBits < 5 || settings.DataBits > 8) {
    return EINVAL;
  }
  termios2 tio{};
  if (ioctl(fd, TCGETS2, &tio) != 0) {
    return errno;
  }
  tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
  tio.c_oflag &= ~OPOST;
  tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD |
                   (CBAUD << IBSHIFT));
  tio.c_cflag |= CREAD | CLOCAL | CharacterSize(settings.DataBits) |
                 ParityFlags(settings.Parity) | SpeedCode(settings.BaudRate);
  if (settings.CheckParity) {
    tio.c_iflag |= INPCK;
  }
  if (settings.CheckParity && settings.MarkErrors) {
    tio.c_iflag |= PARMRK;
  }
  if (settings.StripEighthBit) {
    tio.c_iflag |= ISTRIP;
  }
  if (settings.TwoStopBits) {
    tio.c_cflag |= CSTOPB;
  }
  if (settings.HardwareFlow) {
    tio.c_cflag |= CRTSCTS;
  }
  if (settings.XonXoffOutput) {
    tio.c_iflag |= IXON;
  }
  if (settings.XonXoffInput) {
    tio.c_iflag |= IXOFF;
  }
  tio.c_cc[VSTART] = static_cast<cc_t>(settings.XonChar);
  tio.c_cc[VSTOP] = static_cast<cc_t>(settings.XoffChar);
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  // Input speed follows the output speed (CIBAUD cleared above).
  tio.c_ispeed = settings.BaudRate;
  tio.c_ospeed = settings.BaudRate;
  if (ioctl(fd, TCSETS2, &tio) != 0) {
    return errno;
  }
  return 0;
}

std::uint32_t ReadTtySpeed(int fd) {
  termios2 tio{};
  if (ioctl(fd, TCGETS2, &tio) != 0) {
    return 0;
  }
  return tio.c_ospeed;
}

}  // namespace kurvex
