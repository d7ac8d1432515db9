// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <cstring>
#include <exception>
#include <thread>

#include "app/fileprompts.h"
#include "app/files/filecommands.h"
#include "app/files/opentexts.h"
#include "csvimport/csvimport.h"
#include "platform/system/configdir.h"
#include "platform/system/translate.h"
#include "platform/windows/choicedialogs.h"
#include "platform/windows/progresswindows.h"
#include "recording/columnnames.h"

namespace kurvex {

namespace {

constexpr TText kCaption = TrNoop("Files", "Aufzeichnung öffnen");
constexpr TText kRecordingFilter = TrNoop("Files", "CSV-Dateien (*.csv)|*.csv;*.CSV|Alle Dateien (*)|*");

void ShowReadFailure(const std::string& fileName, int error) {
  ShowFileFailure(FileFailureText(Tr("Files", "Die Datei \"%1\" konnte nicht gelesen werden."), fileName,
                                  std::strerror(error)));
}

// The column of a foreign file to show: the only one, or the user's pick.
std::optional<std::size_t> ChooseColumn(const TCsvLayout& layout) {
  if (layout.Kind == TCsvLayout::Kurvex || layout.Values.size() == 1) return 0;
  std::vector<std::string> names;
  for (const TCsvLayout::TColumn& column : layout.Values) names.push_back(column.Name);
  return TheChoiceDialogs().Choose(Tr(kCaption), Tr("Files", "Welche Spalte soll gezeigt werden?"), names);
}

// Loads on a thread of its own while the window keeps drawing; nothing
// when the user cancelled.
std::optional<TCsvLoad> Load(const std::string& fileName, const TCsvLayout& layout, std::size_t column,
                             THistory& history) {
  TCsvProgress progress;
  TCsvLoad result;
  std::exception_ptr failure;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    try {
      result = LoadCsvFile(fileName, layout, column, history, progress);
    } catch (...) {
      failure = std::current_exception();
    }
    finished = true;
  });
  const bool completed = TheProgressWindows().Wait(
      Tr(kCaption), Fill(Tr("Files", "\"%1\" wird gelesen …"), {fileName}),
      [&] {
        const auto total = progress.TotalBytes.load();
        return total > 0 ? static_cast<double>(progress.BytesRead.load()) / static_cast<double>(total) : 0.0;
      },
      [&] { return finished.load(); });
  if (!completed) progress.Cancel = true;
  worker.join();
  if (failure) std::rethrow_exception(failure);
  if (!completed || result.Cancelled) return std::nullopt;
  return result;
}

}  // namespace

void TFileCommands::OpenRecording() {
  FileDialogRequest request;
  request.Filter = Tr(kRecordingFilter);
  request.InitialDir = HomeDirectory().string();
  request.Title = Tr(kCaption);
  const std::optional<std::string> name = TheFileDialogs().Open(request);
  if (!name) return;
  const TCsvProbe probe = ProbeCsvFile(*name);
  if (probe.Error != 0) return ShowReadFailure(*name, probe.Error);
  if (!probe.Layout) return ShowFileWarning(NoNumbersText(*name));
  const std::optional<std::size_t> column = ChooseColumn(*probe.Layout);
  if (!column) return;

  THistory history;
  const std::optional<TCsvLoad> load = Load(*name, *probe.Layout, *column, history);
  if (!load) return;  // cancelled: the chart stays as it was
  if (load->Error != 0) return ShowReadFailure(*name, load->Error);
  if (load->Rows == 0) return ShowFileWarning(load->BadRows > 0 ? BadRowsText(*load) : NoNumbersText(*name));

  std::vector<std::string> units;
  for (const std::string& column : load->ColumnNames) units.push_back(UnitOfScaledColumn(column));
  m_content.ShowRecording(std::move(history), {*name, load->Rows, std::move(units)});
  if (load->BadRows > 0) ShowFileWarning(BadRowsText(*load));
}

}  // namespace kurvex
