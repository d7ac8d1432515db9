// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/windowfeatures.h"
#include "platform/system/translate.h"
#include "platform/windows/messageboxes.h"
#include "ports/devicetree.h"

namespace kurvex {

namespace {

void ShowNotApplied(const std::string& text) {
  TheMessageBoxes().Show(text, "Kurvex", MessageIcon::Warning, MessageButtons::Ok);
}

// The port field's text for the port the command line names: its COM
// number, or the number that leads to the device it names.
std::optional<std::string> PortFieldText(const std::string& port, const TDeviceTree& tree) {
  if (!port.starts_with("/")) return port;
  const std::optional<unsigned> portNo = tree.ComPortReaching(port);
  if (!portNo) return std::nullopt;
  return std::to_string(*portNo);
}

}  // namespace

void TForm1::ApplyCommandLine(const TCommandLine& commandLine) {
  if (commandLine == TCommandLine{}) return;
  if (StopButton->Enabled()) {
    ShowNotApplied(commandLine.SetupFile
                       ? Fill(Tr("MainWindow",
                                 "Kurvex erfasst gerade. Der Messaufbau \"%1\" wurde nicht geöffnet, und die "
                                 "Einstellungen von der Kommandozeile wurden nicht übernommen.\n\n"
                                 "Zuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal damit aufrufen."),
                              {*commandLine.SetupFile})
                       : Tr("MainWindow",
                            "Kurvex erfasst gerade. Die Einstellungen von der Kommandozeile wurden nicht "
                            "übernommen.\n\n"
                            "Zuerst die Erfassung mit Stop beenden, dann Kurvex noch einmal damit aufrufen."));
    return;
  }
  // A setup that does not open leaves the window as it is: its options
  // were meant to refine that setup, not the window's current settings.
  if (commandLine.SetupFile && !OpenSetupFile(*commandLine.SetupFile)) return;
  bool portFound = true;
  if (commandLine.Port) {
    const std::optional<std::string> portText = PortFieldText(*commandLine.Port, SerialComm1->DeviceTree());
    portFound = portText.has_value();
    if (portFound) {
      ComComboBox->SetText(*portText);
    } else {
      ShowNotApplied(Fill(commandLine.Start
                              ? Tr("MainWindow",
                                   "Keine COM-Nummer führt zum Gerät \"%1\": Es fehlt, oder kein Link im Port-Ordner "
                                   "zeigt darauf.\n\nDas Feld COM bleibt bei %2; die Erfassung wurde nicht gestartet.")
                              : Tr("MainWindow",
                                   "Keine COM-Nummer führt zum Gerät \"%1\": Es fehlt, oder kein Link im Port-Ordner "
                                   "zeigt darauf.\n\nDas Feld COM bleibt bei %2."),
                          {*commandLine.Port, ComComboBox->Text()}));
    }
  }
  if (commandLine.BaudRate) BaudComboBox->SetText(std::to_string(*commandLine.BaudRate));
  // Its change handler sets the data and stop bits shown beside it.
  if (commandLine.DataFormat) FormatComboBox->SetText(*commandLine.DataFormat);
  if (commandLine.Trend) TrendCheckBox->SetChecked(true);
  if (commandLine.Record) RecordCheckBox->SetChecked(true);
  if (commandLine.RecordFile) m_features->Recording->SetNextFile({*commandLine.RecordFile});
  if (commandLine.SendAtStart || commandLine.Query || commandLine.IntervalMs) {
    TSetup sending;
    sending.SendAtStart = commandLine.SendAtStart;
    sending.Query = commandLine.Query;
    sending.QueryIntervalMs = commandLine.IntervalMs;
    std::vector<std::string> refused;  // the parser let no bad escape through
    m_features->Instrument->ApplyFrom(sending, refused);
  }
  if (commandLine.XAxis) {
    if (const std::optional<TXAxis> axis = m_features->XAxis->Named(*commandLine.XAxis)) {
      m_features->XAxis->Choose(*axis);
    } else {
      ShowNotApplied(Fill(Tr("MainWindow", "Keine Kurve heißt \"%1\". Die X-Achse bleibt, wie sie ist."),
                          {*commandLine.XAxis}));
    }
  }
  // Acquiring from another port than the one asked for would record the wrong instrument.
  if (commandLine.Start && portFound) StartButton->Click();
}

}  // namespace kurvex
