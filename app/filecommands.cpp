#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "chart/bitmapexport.h"
#include "chart/graphfile.h"
#include "platform/windows/filedialogs.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

namespace {

constexpr const char* kBitmapFilter = "Graphic Files (*.bmp)|*.BMP";
constexpr const char* kAcquisitionFilter = "Kurvex Files (*.kvx)|*.KVX";
constexpr const char* kBitmapExtension = ".bmp";
constexpr const char* kAcquisitionExtension = ".kvx";
constexpr const char* kMessageCaption = "Kurvex";

// The dialogs start in the user's home folder.
std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : std::string();
}

FileDialogRequest SaveRequest(const char* extension, const char* filter) {
  FileDialogRequest request;
  request.Filter = filter;
  request.DefaultExt = extension;
  request.InitialDir = HomeFolder();
  request.OverwritePrompt = true;
  return request;
}

void ShowFileError(const char* what, const EGraphFileError& error) {
  TheMessageBoxes().Show("Die Datei \"" + error.FileName() + "\" konnte nicht " + what + " werden.\n" + error.what(),
                         kMessageCaption, MessageIcon::Error, MessageButtons::Ok);
}

// A file cut inside its last record loads its whole records; the user
// learns that the rest is missing.
void TellFileWasCut(const std::string& fileName, const TGraphLoad& load) {
  const std::string records = load.Records == 1 ? "1 vollständiger Datensatz wurde"
                                                : GroupedCount(load.Records) + " vollständige Datensätze wurden";
  TheMessageBoxes().Show("Die Datei \"" + fileName + "\" endet mitten in einem Datensatz.\n" + records +
                             " geladen, der abgeschnittene Rest (" + GroupedCount(load.CutBytes) + " Bytes) nicht.",
                         kMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
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

void TForm1::GrafikSpeichernBMPClick(TObject*) {
  const std::optional<std::string> name = TheFileDialogs().Save(SaveRequest(kBitmapExtension, kBitmapFilter));
  if (!name || !MayWriteBitmap(*name)) return;
  Chart1->SaveBitmap(*name, true);
}

void TForm1::ErfassungSpeichernClick(TObject*) {
  const std::optional<std::string> name =
      TheFileDialogs().Save(SaveRequest(kAcquisitionExtension, kAcquisitionFilter));
  if (!name) return;
  try {
    Chart1->SaveGraph(*name);
  } catch (const EGraphFileError& error) {
    ShowFileError("gespeichert", error);
  }
}

void TForm1::ErfassungladenClick(TObject*) {
  FileDialogRequest request;
  request.Filter = kAcquisitionFilter;
  request.DefaultExt = kAcquisitionExtension;
  request.InitialDir = HomeFolder();
  const std::optional<std::string> name = TheFileDialogs().Open(request);
  if (!name) return;
  TGraphLoad load;
  try {
    load = Chart1->LoadGraph(*name, true);
  } catch (const EGraphFileError& error) {
    ShowFileError("geladen", error);
    return;
  }
  if (load.CutBytes > 0) TellFileWasCut(*name, load);
}

}  // namespace kurvex
