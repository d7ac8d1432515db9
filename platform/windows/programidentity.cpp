// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/programidentity.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>

namespace kurvex {

void SetProgramIdentity(const std::string& desktopFileName, const std::string& iconFolder) {
  QGuiApplication::setDesktopFileName(QString::fromStdString(desktopFileName));
  QIcon icon;
  QDirIterator files(QString::fromStdString(iconFolder), {"*.png"}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext()) icon.addFile(files.next());
  // Windows without an icon of their own take the application's.
  QGuiApplication::setWindowIcon(icon);
}

}  // namespace kurvex
