#include <cstring>

#include "app/chartcsv.h"
#include "app/csvdialog.h"
#include "app/mainwindow.h"
#include "chart/graphfile.h"
#include "platform/system/configdir.h"
#include "platform/windows/messageboxes.h"
#include "platform/system/replacefile.h"

namespace kurvex {

namespace {

void ShowExportError(const std::string& fileName, const std::string& reason) {
  TheMessageBoxes().Show("Die Datei \"" + fileName + "\" konnte nicht gespeichert werden.\n" + reason, "Kurvex",
                         MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

void TForm1::GrafikSpeichernPNGClick(TObject*) {
  FileDialogRequest request;
  request.Filter = "PNG-Grafik (*.png)|*.png";
  request.DefaultExt = ".png";
  request.InitialDir = HomeDirectory().string();
  request.OverwritePrompt = true;
  const std::optional<std::string> name = TheFileDialogs().Save(request);
  if (!name) return;
  try {
    Chart1->SavePng(*name);
  } catch (const EGraphFileError& error) {
    ShowExportError(error.FileName(), error.what());
  }
}

void TForm1::ErfassungCsvExportierenClick(TObject*) {
  const std::optional<FileChoice> choice =
      TheFileDialogs().SaveChoosingFilter(CsvSaveRequest(HomeDirectory().string()));
  if (!choice) return;
  const std::string text = ChartSamplesCsv(Chart1->Store(), CsvDialectOfFilter(choice->FilterIndex));
  if (const int error = ReplaceFileContents(choice->FileName, text); error != 0)
    ShowExportError(choice->FileName, std::strerror(error));
}

}  // namespace kurvex
