// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/csvdialog.h"

#include "app/fileprompts.h"
#include "platform/system/translate.h"

namespace kurvex {

FileDialogRequest CsvSaveRequest(const std::string& initialDir) {
  return SaveRequest(".csv",
                     Tr("Files",
                        "CSV (Komma, Dezimalpunkt) (*.csv)|*.csv|"
                        "CSV für Excel (Semikolon, Dezimalkomma) (*.csv)|*.csv"),
                     initialDir);
}

TCsvDialect CsvDialectOfFilter(int filterIndex) { return filterIndex == 1 ? cdExcel : cdComma; }

int CsvFilterOfDialect(TCsvDialect dialect) { return dialect == cdExcel ? 1 : 0; }

}  // namespace kurvex
