// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/monitorwindow.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/instrument/instrumenttexts.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"
#include "platform/windows/clipboard.h"

namespace kurvex {

namespace {

// The line end choices in the order of the list.
constexpr std::array<std::pair<TCommandLineEnd, TText>, 4> kLineEnds{{
    {TCommandLineEnd::CrLf, TrNoop("Instrument", "CR LF")},
    {TCommandLineEnd::Lf, TrNoop("Instrument", "LF")},
    {TCommandLineEnd::Cr, TrNoop("Instrument", "CR")},
    {TCommandLineEnd::None, TrNoop("Instrument", "ohne")},
}};

// Lines that come faster than this are shown in steps: nobody reads a
// log that moves 60 times a second, and each step redraws the table.
constexpr auto kRefreshPace = std::chrono::milliseconds(100);

// A button of the window at its design place, anchored, with its handler.
std::unique_ptr<TSpeedButton> MakeButton(TWinControl* parent, const char* name, const std::string& caption,
                                         TRect bounds, TAnchors anchors, TNotifyEvent onClick) {
  auto button = std::make_unique<TSpeedButton>(parent);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  button->SetAnchors(anchors);
  button->OnClick = std::move(onClick);
  return button;
}

constexpr TText kCommandHint = TrNoop("Instrument", "z. B. MEAS? oder \\x1B (Escapes \\r \\n \\t \\\\ \\xNN)");

}  // namespace

TMonitorWindow::TMonitorWindow(TInstrumentFeature& instrument, TMonitorLog& log, const TIntakeState& intake)
    : m_instrument(instrument), m_log(log), m_intake(intake), m_frame([this] { Refresh(); }) {
  SetName("FormMonitor");
  SetCaption(Tr("Instrument", "Monitor"));
  SetClientSize(720, 440);
  SetSizeConstraints(480, 240, 0, 0);
  CreateControls();
  OnShow = [this](TObject*) {
    m_log.SetOpen(!PauseCheckBox->Checked());
    SendingChanged();
    Refresh();
  };
  OnClose = [this](TObject*, TCloseAction&) { m_log.SetOpen(false); };
  m_log.OnChanged = [this] {
    if (!m_frame.Waiting()) m_frame.RideFrameFrom(m_refreshed + kRefreshPace);
  };
}

TMonitorWindow::~TMonitorWindow() {
  m_log.OnChanged = nullptr;
  m_log.SetOpen(false);
}

void TMonitorWindow::CreateControls() {
  CommandLabel = std::make_unique<TLabel>(this);
  CommandLabel->SetName("CommandLabel");
  CommandLabel->SetCaption(Tr("Instrument", "&Befehl"));
  CommandLabel->SetBounds(8, 12, 48, 20);
  CommandEdit = std::make_unique<TEdit>(this);
  CommandEdit->SetName("CommandEdit");
  CommandEdit->SetBounds(60, 8, 392, 26);
  CommandEdit->SetAnchors(akLeft | akTop | akRight);
  CommandLabel->SetFocusControl(CommandEdit.get());
  CommandEdit->OnKeyDown = [this](TObject*, TKey& key, TShiftState) {
    if (key == vkReturn) SendButtonClick(SendButton.get());
    else if (key == vkUp) RecallCommand(-1);
    else if (key == vkDown) RecallCommand(+1);
    else return;
    key = 0;
  };

  LineEndLabel = std::make_unique<TLabel>(this);
  LineEndLabel->SetName("LineEndLabel");
  LineEndLabel->SetCaption(Tr("Instrument", "&Zeilenende"));
  LineEndLabel->SetBounds(460, 12, 76, 20);
  LineEndLabel->SetAnchors(akTop | akRight);
  LineEndComboBox = std::make_unique<TComboBox>(this);
  LineEndComboBox->SetName("LineEndComboBox");
  LineEndComboBox->SetStyle(csDropDownList);
  std::vector<std::string> names;
  for (const auto& [end, name] : kLineEnds) names.push_back(Tr(name));
  LineEndComboBox->SetItems(names);
  LineEndComboBox->SetBounds(538, 8, 84, 26);
  LineEndComboBox->SetAnchors(akTop | akRight);
  LineEndLabel->SetFocusControl(LineEndComboBox.get());
  for (const auto& [end, name] : kLineEnds)
    if (end == m_instrument.LineEnd()) LineEndComboBox->SetText(Tr(name));
  LineEndComboBox->OnChange = [this](TObject*) {
    for (const auto& [end, name] : kLineEnds)
      if (LineEndComboBox->Text() == Tr(name)) m_instrument.SetLineEnd(end);
  };

  SendButton = MakeButton(this, "SendButton", Tr("Instrument", "&Senden"), {630, 8, 712, 34}, akTop | akRight,
                          [this](TObject* sender) { SendButtonClick(sender); });

  MessageLabel = std::make_unique<TLabel>(this);
  MessageLabel->SetName("MessageLabel");
  MessageLabel->SetAutoSize(false);
  MessageLabel->SetBounds(8, 38, 704, 20);
  MessageLabel->SetAnchors(akLeft | akTop | akRight);

  const std::vector<std::string> columns{Tr("Instrument", "Zeit"), Tr("Instrument", "Zeile"),
                                         Tr("Instrument", "Ergebnis")};
  LineTable =
      std::make_unique<TLineTable>(this, columns, [this](int row, int column) { return CellText(row, column); });
  LineTable->SetName("LineTable");
  LineTable->SetAccessibleName(Tr("Instrument", "Empfangene und gesendete Zeilen"));
  LineTable->SetBounds(8, 62, 704, 334);
  LineTable->SetAnchors(akLeft | akTop | akRight | akBottom);
  LineTable->SetColumnWidth(0, 100);
  LineTable->SetColumnWidth(1, 300);

  PauseCheckBox = std::make_unique<TCheckBox>(this);
  PauseCheckBox->SetName("PauseCheckBox");
  PauseCheckBox->SetCaption(Tr("Instrument", "&Anhalten"));
  PauseCheckBox->SetBounds(8, 406, 96, 24);
  PauseCheckBox->SetAnchors(akLeft | akBottom);
  // Held, the log takes nothing more, so what is shown stays to be read.
  PauseCheckBox->OnClick = [this](TObject*) { m_log.SetOpen(!PauseCheckBox->Checked()); };
  CopyButton = MakeButton(this, "CopyButton", Tr("Instrument", "&Kopieren"), {108, 404, 190, 430},
                          akLeft | akBottom, [this](TObject* sender) { CopyButtonClick(sender); });
  ClearButton = MakeButton(this, "ClearButton", Tr("Instrument", "&Leeren"), {196, 404, 278, 430},
                           akLeft | akBottom, [this](TObject* sender) { ClearButtonClick(sender); });

  RoundTripLabel = std::make_unique<TLabel>(this);
  RoundTripLabel->SetName("RoundTripLabel");
  RoundTripLabel->SetAutoSize(false);
  RoundTripLabel->SetAlignment(taRightJustify);
  RoundTripLabel->SetBounds(288, 408, 424, 20);
  RoundTripLabel->SetAnchors(akLeft | akRight | akBottom);
}

void TMonitorWindow::SendingChanged() {
  const bool open = m_instrument.PortActive();
  CommandEdit->SetEnabled(open);
  SendButton->SetEnabled(open);
  CommandEdit->SetPlaceholderText(Tr(open ? kCommandHint : kPortClosedText));
  const std::string stalled = Tr(kSendStalledText);
  if (m_instrument.SendStalled()) MessageLabel->SetCaption(stalled);
  else if (MessageLabel->Caption() == stalled) MessageLabel->SetCaption("");
}

void TMonitorWindow::SendButtonClick(TObject*) {
  const std::string typed = CommandEdit->Text();
  if (typed.empty()) return;
  const std::string refusal = m_instrument.SendTyped(typed);
  MessageLabel->SetCaption(refusal);
  if (!refusal.empty()) return;
  if (m_history.empty() || m_history.back() != typed) m_history.push_back(typed);
  m_recalled = m_history.size();
  CommandEdit->SetText("");
}

void TMonitorWindow::RecallCommand(int step) {
  if (step < 0 && m_recalled > 0) --m_recalled;
  else if (step > 0 && m_recalled < m_history.size()) ++m_recalled;
  else return;
  CommandEdit->SetText(m_recalled < m_history.size() ? m_history[m_recalled] : "");
}

void TMonitorWindow::Refresh() {
  m_frame.Cancel();
  m_refreshed = TFrameRider::Clock::now();
  // The rows that came since the table last looked; of more than the log
  // keeps, only those it keeps.
  const auto kept = static_cast<std::uint64_t>(m_log.Size());
  const std::uint64_t added = std::min(m_log.Recorded() - m_shownRecorded, kept);
  const auto rows = static_cast<std::uint64_t>(LineTable->RowCount());
  m_shownRecorded = m_log.Recorded();
  LineTable->RowsChanged(static_cast<int>(rows + added - kept), static_cast<int>(added));
  if (const TQueryPacer* pacer = m_instrument.Pacer())
    RoundTripLabel->SetCaption(RoundTripText(pacer->RoundTrips(), DecimalSeparator()));
}

std::string TMonitorWindow::CellText(int row, int column) const {
  // Rows stand for entries by their place in the whole record, so a row
  // whose entry the log has dropped since the table looked shows nothing
  // rather than another entry.
  const std::uint64_t entry = m_shownRecorded - static_cast<std::uint64_t>(LineTable->RowCount()) +
                              static_cast<std::uint64_t>(row);
  const std::uint64_t firstKept = m_log.Recorded() - m_log.Size();
  if (row < 0 || entry < firstKept || entry >= m_log.Recorded()) return {};
  return MonitorCell(m_log[static_cast<std::size_t>(entry - firstKept)], static_cast<TMonitorColumn>(column),
                     m_intake.CurveNames, DecimalSeparator());
}

void TMonitorWindow::CopyButtonClick(TObject*) {
  std::vector<int> rows = LineTable->SelectedRows();
  if (rows.empty())
    for (int row = 0; row < LineTable->RowCount(); ++row) rows.push_back(row);
  std::string text;
  for (const int row : rows) text += CellText(row, 0) + '\t' + CellText(row, 1) + '\t' + CellText(row, 2) + '\n';
  TheClipboard().SetText(text);
}

void TMonitorWindow::ClearButtonClick(TObject*) {
  m_log.Clear();
  Refresh();
}

}  // namespace kurvex
