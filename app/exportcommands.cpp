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
  // An acquisition's samples as they were counted; a loaded file's points.
  const TCsvDialect dialect = CsvDialectOfFilter(choice->FilterIndex);
  // An opened recording's curves are not named by the last acquisition.
  const std::span<const std::string> names =
      ShowsOpenedRecording() ? std::span<const std::string>{} : std::span<const std::string>(SessionState.CurveNames);
  const std::string text = m_history.LastNumber() > 0 ? HistorySamplesCsv(m_history, dialect, names)
                                                      : ChartSamplesCsv(Chart1->Store(), dialect);
  if (const int error = ReplaceFileContents(choice->FileName, text); error != 0)
    ShowSaveFailure(choice->FileName, std::strerror(error));
}

}  // namespace kurvex
