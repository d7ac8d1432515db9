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
#include "platform/windows/messageboxes.h"

namespace kurvex {

namespace {

constexpr const char* kBitmapFilter = "Graphic Files (*.bmp)|*.BMP";
constexpr const char* kAcquisitionFilter = "Kurvex Files (*.kvx)|*.KVX";
constexpr const char* kBitmapExtension = ".bmp";
constexpr const char* kAcquisitionExtension = ".kvx";
constexpr const char* kMessageCaption = "Kurvex";

// A file cut inside its last record loads its whole records; the user
// learns that the rest is missing.
void TellFileWasCut(const std::string& fileName, const TGraphLoad& load) {
  const std::string records = load.Records == 1 ? "1 vollständiger Datensatz wurde"
                                                : GroupedCount(load.Records) + " vollständige Datensätze wurden";
  ShowFileWarning("Die Datei \"" + fileName + "\" endet mitten in einem Datensatz.\n" + records +
                  " geladen, der abgeschnittene Rest (" + GroupedCount(load.CutBytes) + " Bytes) nicht.");
}

// The export writes its name with the extension ".bmp"; when that is not
// the file the dialog confirmed and it exists, the user decides.
bool MayWriteBitmap(const std::string& chosen) {
  const std::string target = BitmapFileName(chosen);
  std::error_code ignored;
  if (target == chosen || !std::filesystem::exists(target, ignored)) return true;
  return TheMessageBoxes().Show("Die Datei \"" + target + "\" existiert bereits.\nSoll sie ersetzt werden?",
                                kMessageCaption, MessageIcon::Question,
                                MessageButtons::YesNo) == MessageResult::Yes;
}

}  // namespace

void TFileCommands::SaveBitmap() {
  const std::optional<std::string> name = TheFileDialogs().Save(SaveRequest(kBitmapExtension, kBitmapFilter));
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
      TheFileDialogs().Save(SaveRequest(kAcquisitionExtension, kAcquisitionFilter));
  if (!name) return;
  try {
    m_chart.SaveGraph(*name);
  } catch (const EGraphFileError& error) {
    ShowSaveFailure(error.FileName(), error.what());
  }
}

void TFileCommands::LoadAcquisition() {
  FileDialogRequest request;
  request.Filter = kAcquisitionFilter;
  request.DefaultExt = kAcquisitionExtension;
  request.InitialDir = HomeDirectory().string();
  const std::optional<std::string> name = TheFileDialogs().Open(request);
  if (!name) return;
  TGraphLoad load;
  try {
    load = m_chart.LoadGraph(*name, true);
  } catch (const EGraphFileError& error) {
    ShowFileFailure(FileFailureText("Die Datei", error.FileName(), "geladen", error.what()));
    return;
  }
  m_content.GraphFileLoaded(m_acquiring());
  if (load.CutBytes > 0) TellFileWasCut(*name, load);
}

}  // namespace kurvex
