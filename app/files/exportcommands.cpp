// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "app/csvdialog.h"
#include "app/fileprompts.h"
#include "app/files/chartcsv.h"
#include "app/files/filecommands.h"
#include "chart/graphfile.h"
#include "platform/system/configdir.h"
#include "platform/system/replacefile.h"
#include "platform/system/translate.h"

namespace kurvex {

void TFileCommands::SavePng() {
  const std::optional<std::string> name =
      TheFileDialogs().Save(SaveRequest(".png", Tr("Files", "PNG-Grafik (*.png)|*.png")));
  if (!name) return;
  try {
    m_chart.SavePng(*name);
  } catch (const EGraphFileError& error) {
    ShowSaveFailure(error.FileName(), error.what());
  }
}

void TFileCommands::ExportCsv() {
  const std::optional<FileChoice> choice =
      TheFileDialogs().SaveChoosingFilter(CsvSaveRequest(HomeDirectory().string()));
  if (!choice) return;
  // An acquisition's samples as they were counted; a loaded file's points.
  const TCsvDialect dialect = CsvDialectOfFilter(choice->FilterIndex);
  // An opened recording's curves have the units its header gives; an
  // acquisition's are named as its samples were.
  TCurveHeads heads{m_intake.CurveNames, m_intake.CurveUnits};
  if (m_content.ShowsOpenedRecording()) heads = {{}, m_content.OpenedRecording()->Units};
  const THistory* history = m_content.HistoryShown();
  const std::string text = history != nullptr ? HistorySamplesCsv(*history, dialect, heads)
                                              : ChartSamplesCsv(m_chart.Store(), dialect);
  if (const int error = ReplaceFileContents(choice->FileName, text); error != 0)
    ShowSaveFailure(choice->FileName, std::strerror(error));
}

}  // namespace kurvex
