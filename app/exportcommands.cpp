// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "app/chartcsv.h"
#include "app/csvdialog.h"
#include "app/fileprompts.h"
#include "app/mainwindow.h"
#include "chart/graphfile.h"
#include "platform/system/configdir.h"
#include "platform/system/replacefile.h"

namespace kurvex {

void TForm1::GrafikSpeichernPNGClick(TObject*) {
  const std::optional<std::string> name = TheFileDialogs().Save(SaveRequest(".png", "PNG-Grafik (*.png)|*.png"));
  if (!name) return;
  try {
    Chart1->SavePng(*name);
  } catch (const EGraphFileError& error) {
    ShowSaveFailure(error.FileName(), error.what());
  }
}

void TForm1::ErfassungCsvExportierenClick(TObject*) {
  const std::optional<FileChoice> choice =
      TheFileDialogs().SaveChoosingFilter(CsvSaveRequest(HomeDirectory().string()));
  if (!choice) return;
  const std::string text = ChartSamplesCsv(Chart1->Store(), CsvDialectOfFilter(choice->FilterIndex));
  if (const int error = ReplaceFileContents(choice->FileName, text); error != 0)
    ShowSaveFailure(choice->FileName, std::strerror(error));
}

}  // namespace kurvex
