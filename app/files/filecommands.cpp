// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/files/filecommands.h"

#include <filesystem>
#include <string>

#include "app/fileprompts.h"
#include "app/files/opentexts.h"
#include "app/numbertext.h"
#include "chart/bitmapexport.h"
#include "chart/graphfile.h"
#include "platform/system/configdir.h"
#include "platform/system/translate.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

namespace {

constexpr TText kBitmapFilter = TrNoop("Files", "Graphic Files (*.bmp)|*.BMP");
constexpr TText kAcquisitionFilter = TrNoop("Files", "Kurvex Files (*.kvx)|*.KVX");
constexpr const char* kBitmapExtension = ".bmp";
constexpr const char* kAcquisitionExtension = ".kvx";
constexpr const char* kMessageCaption = "Kurvex";

// A file cut inside its last record loads its whole records; the user
// learns that the rest is missing.
void TellFileWasCut(const std::string& fileName, const TGraphLoad& load) {
  const std::string text =
      load.Records == 1 ? Tr("Files",
                             "Die Datei \"%1\" endet mitten in einem Datensatz.\n1 vollständiger Datensatz wurde "
                             "geladen, der abgeschnittene Rest (%3 Bytes) nicht.")
                        : Tr("Files",
                             "Die Datei \"%1\" endet mitten in einem Datensatz.\n%2 vollständige Datensätze wurden "
                             "geladen, der abgeschnittene Rest (%3 Bytes) nicht.");
  ShowFileWarning(Fill(text, {fileName, GroupedCount(load.Records), GroupedCount(load.CutBytes)}));
}

// The export writes its name with the extension ".bmp"; when that is not
// the file the dialog confirmed and it exists, the user decides.
bool MayWriteBitmap(const std::string& chosen) {
  const std::string target = BitmapFileName(chosen);
  std::error_code ignored;
  if (target == chosen || !std::filesystem::exists(target, ignored)) return true;
  const std::string question =
      Fill(Tr("Files", "Die Datei \"%1\" existiert bereits.\nSoll sie ersetzt werden?"), {target});
  return TheMessageBoxes().Show(question,
                                kMessageCaption, MessageIcon::Question,
                                MessageButtons::YesNo) == MessageResult::Yes;
}

}  // namespace

void TFileCommands::SaveBitmap() {
  const std::optional<std::string> name = TheFileDialogs().Save(SaveRequest(kBitmapExtension, Tr(kBitmapFilter)));
  if (!name || !MayWriteBitmap(*name)) return;
  try {
    m_chart.SaveBitmap(*name, true);
  } catch (const EGraphFileError& error) {
    ShowSaveFailure(error.FileName(), error.what());
  }
}

void TFileCommands::SaveAcquisition() {
  // The chart holds no items of an opened recording: it would save an empty graph.
  if (m_content.ShowsOpenedRecording()) {
    TheMessageBoxes().Show(RecordingIsNoAcquisitionText(), kMessageCaption, MessageIcon::Information,
                           MessageButtons::Ok);
    return;
  }
  const std::optional<std::string> name =
      TheFileDialogs().Save(SaveRequest(kAcquisitionExtension, Tr(kAcquisitionFilter)));
  if (!name) return;
  try {
    m_chart.SaveGraph(*name);
  } catch (const EGraphFileError& error) {
    ShowSaveFailure(error.FileName(), error.what());
  }
}

void TFileCommands::LoadAcquisition() {
  FileDialogRequest request;
  request.Filter = Tr(kAcquisitionFilter);
  request.DefaultExt = kAcquisitionExtension;
  request.InitialDir = HomeDirectory().string();
  const std::optional<std::string> name = TheFileDialogs().Open(request);
  if (!name) return;
  TGraphLoad load;
  try {
    load = m_chart.LoadGraph(*name, true);
  } catch (const EGraphFileError& error) {
    ShowFileFailure(FileFailureText(Tr("Files", "Die Datei \"%1\" konnte nicht geladen werden."), error.FileName(),
                                    error.what()));
    return;
  }
  m_content.GraphFileLoaded(m_acquiring());
  if (load.CutBytes > 0) TellFileWasCut(*name, load);
}

}  // namespace kurvex
