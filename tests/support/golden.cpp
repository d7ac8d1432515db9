// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/golden.h"

#include <cstdlib>
#include <filesystem>

#include <QImage>

#include "tests/support/image.h"

namespace kurvex::test {

TBitmap Golden(const std::string& folder, const std::string& name) {
  TBitmap golden;
  if (golden.Image().load(QString::fromStdString(folder + name + ".png")))
    golden.Image() = golden.Image().convertToFormat(QImage::Format_RGB32);
  return golden;
}

::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& folder, const std::string& name) {
  const std::string path = folder + name + ".png";
  if (std::getenv("KURVEX_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(folder);
    if (!actual.Image().save(QString::fromStdString(path), "PNG"))
      return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
  }
  const TBitmap expected = Golden(folder, name);
  if (expected.Image().isNull()) return ::testing::AssertionFailure() << "no " << path;
  return SameImage(actual, expected, "golden-" + name);
}

}  // namespace kurvex::test
