// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/files/opentexts.h"

#include "app/numbertext.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

std::string Why(TBadRow bad) {
  switch (bad) {
    case TBadRow::NotANumber: return Tr("Files", "enthält keine Zahl");
    case TBadRow::OutOfRange: return Tr("Files", "enthält eine Zahl außerhalb des Wertebereichs");
    case TBadRow::BadTime: return Tr("Files", "enthält keine gültige Zeit");
    case TBadRow::Incomplete: return Tr("Files", "ist unvollständig");
    case TBadRow::TooLong: return Tr("Files", "ist zu lang");
  }
  return "";
}

}  // namespace

std::string NoNumbersText(const std::string& fileName) {
  return Fill(Tr("Files", "Die Datei \"%1\" enthält keine Spalte mit Zahlen und kann nicht als Aufzeichnung geöffnet "
                          "werden."),
              {fileName});
}

std::string BadRowsText(const TCsvLoad& load) {
  const std::string skipped = load.BadRows == 1
                                  ? Tr("Files", "1 Zeile wurde übersprungen")
                                  : Fill(Tr("Files", "%1 Zeilen wurden übersprungen"), {GroupedCount(load.BadRows)});
  const std::string loaded =
      load.Rows == 0 ? Tr("Files", "keine geladen") : Fill(Tr("Files", "%1 geladen"), {GroupedCount(load.Rows)});
  // The first bad row's line, why it is bad, then the two counts.
  return Fill(Tr("Files", "Zeile %1 %2; %3, %4."),
              {GroupedCount(load.FirstBadLine), Why(load.FirstBad), skipped, loaded});
}

std::string RecordingIsNoAcquisitionText() {
  return Tr("Files",
            "Die angezeigte Aufzeichnung ist bereits als CSV-Datei gespeichert. Als Erfassung (.kvx) lassen sich nur "
            "eine Erfassung oder eine geladene Erfassungsdatei speichern.");
}

}  // namespace kurvex
