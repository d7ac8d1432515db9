// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/csvdialog.h"

namespace kurvex {

FileDialogRequest CsvSaveRequest(const std::string& initialDir) {
  FileDialogRequest request;
  request.Filter =
      "CSV (Komma, Dezimalpunkt) (*.csv)|*.csv|"
      "CSV für Excel (Semikolon, Dezimalkomma) (*.csv)|*.csv";
  request.DefaultExt = ".csv";
  request.InitialDir = initialDir;
  request.OverwritePrompt = true;
  return request;
}

TCsvDialect CsvDialectOfFilter(int filterIndex) { return filterIndex == 1 ? cdExcel : cdComma; }

}  // namespace kurvex
