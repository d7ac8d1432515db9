// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/backgroundimage.h"

namespace kurvex {

namespace {

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void TBakGndImg::Changed() {
  if (OnChange) OnChange();
}

void TBakGndImg::SetName(const std::string& v) {
  m_name = m_includePath ? v : FileNamePart(v);
  Changed();
}

void TBakGndImg::SetIncludePath(bool v) {
  m_includePath = v;
  if (!v) m_name = FileNamePart(m_name);
  Changed();
}

void TBakGndImg::SetFillMode(TBakGndFill v) {
  m_fillMode = v;
  Changed();
}

}  // namespace kurvex
