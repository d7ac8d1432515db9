// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/setupfeature.h"

#include <cstring>
#include <filesystem>

#include "app/fileprompts.h"
#include "app/setups/setuptexts.h"
#include "platform/system/configdir.h"
#include "platform/system/readfile.h"
#include "platform/system/replacefile.h"
#include "platform/system/translate.h"
#include "platform/windows/filedialogs.h"

namespace kurvex {

namespace {

constexpr TText kSetupFilter = TrNoop("Setups", "Kurvex-Messaufbau (*.kxs)|*.kxs");
constexpr const char* kSetupExtension = ".kxs";

// The file's text; its errno when it cannot be read whole, EFBIG beyond any setup's size.
int ReadSetupFile(const std::string& path, std::string& text) {
  TReadFile file(path);
  if (file.Error() != 0) return file.Error();
  if (file.Size() > static_cast<std::int64_t>(kMaxSetupBytes)) return EFBIG;
  text.resize(static_cast<std::size_t>(file.Size()));
  std::size_t got = 0;
  if (!file.Read(text.data(), text.size(), got)) return file.Error();
  text.resize(got);
  return 0;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  return absolute.empty() ? path : absolute.lexically_normal().string();
}

}  // namespace

TSetupFeature::TSetupFeature(TForm& window, TMenuItem& recentMenu, std::vector<TSetupPart*> parts,
                             TAcquiring acquiring)
    : m_window(window),
      m_recentMenu(recentMenu),
      m_parts(std::move(parts)),
      m_acquiring(std::move(acquiring)),
      m_recent(StateDirectory() / "recent-setups") {
  for (std::size_t i = 0; i < TRecentSetups::kCount; ++i) {
    TMenuItem& item = m_recentMenu.Add("");
    item.SetName("ZuletztVerwendeterMessaufbau" + std::to_string(i + 1));
    item.OnClick = [this, i](TObject*) {
      if (i >= m_recent.Paths().size()) return;
      const std::string path = m_recent.Paths()[i];
      std::error_code ignored;
      if (!std::filesystem::exists(path, ignored)) m_recent.Forget(path);
      Open(path);
      ShowRecent();
    };
  }
  ShowRecent();
}

void TSetupFeature::OpenChosen() {
  FileDialogRequest request;
  request.Filter = Tr(kSetupFilter);
  request.DefaultExt = kSetupExtension;
  request.Title = Tr("Setups", "Messaufbau öffnen");
  request.InitialDir = m_path ? std::filesystem::path(*m_path).parent_path().string() : HomeDirectory().string();
  if (const std::optional<std::string> name = TheFileDialogs().Open(request)) Open(*name);
}

bool TSetupFeature::Open(const std::string& chosen) {
  const std::string path = AbsolutePath(chosen);
  if (m_acquiring()) {
    ShowFileWarning(SetupWhileAcquiringText(path));
    return false;
  }
  std::string text;
  if (const int error = ReadSetupFile(path, text); error != 0) {
    ShowFileFailure(FileFailureText(Tr("Setups", "Der Messaufbau \"%1\" konnte nicht gelesen werden."), path,
                                    std::strerror(error)));
    return false;
  }
  const TSetupRead read = ReadSetup(text);
  if (read.Refusal != TSetupRead::None) {
    ShowFileFailure(RefusedSetupText(path, read));
    return false;
  }
  std::vector<std::string> notes;
  for (TSetupPart* part : m_parts) part->ApplyFrom(read.Setup, notes);
  ShowSetup(path);
  if (!read.Skipped.empty() || !notes.empty()) ShowFileWarning(SkippedSetupText(path, read.Skipped, notes));
  return true;
}

void TSetupFeature::SaveChosen() {
  const std::string initialDir = m_path ? std::filesystem::path(*m_path).parent_path().string() : std::string();
  const std::optional<std::string> name =
      TheFileDialogs().Save(SaveRequest(kSetupExtension, Tr(kSetupFilter), initialDir));
  if (!name) return;
  if (const int error = ReplaceFileContents(*name, SetupText(Collect())); error != 0) {
    ShowSaveFailure(*name, std::strerror(error));
    return;
  }
  ShowSetup(AbsolutePath(*name));
}

TSetup TSetupFeature::Collect() const {
  TSetup setup;
  for (const TSetupPart* part : m_parts) part->CollectInto(setup);
  return setup;
}

void TSetupFeature::ShowSetup(const std::string& path) {
  m_path = path;
  // A screen reader reads the title as it stands.
  m_window.SetCaption(SetupTitle(path));
  m_window.SetAccessibleName(SetupTitle(path));
  m_recent.Use(path);
  ShowRecent();
}

void TSetupFeature::ShowRecent() {
  const std::vector<std::string>& paths = m_recent.Paths();
  for (std::size_t i = 0; i < TRecentSetups::kCount; ++i) {
    TMenuItem& item = m_recentMenu.Items(static_cast<int>(i));
    item.SetVisible(i < paths.size());
    // "&1 Waage.kxs  (/home/…/Waage.kxs)": a number to choose it by key.
    if (i < paths.size())
      item.SetCaption("&" + std::to_string(i + 1) + " " + std::filesystem::path(paths[i]).filename().string() + "  (" +
                      paths[i] + ")");
  }
  m_recentMenu.SetEnabled(!paths.empty());
}

}  // namespace kurvex
