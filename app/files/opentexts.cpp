// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/files/opentexts.h"

#include "app/numbertext.h"

namespace kurvex {

namespace {

const char* Why(TBadRow bad) {
  switch (bad) {
    case TBadRow::NotANumber: return "enthält keine Zahl";
    case TBadRow::OutOfRange: return "enthält eine Zahl außerhalb des Wertebereichs";
    case TBadRow::BadTime: return "enthält keine gültige Zeit";
    case TBadRow::Incomplete: return "ist unvollständig";
    case TBadRow::TooLong: return "ist zu lang";
  }
  return "";
}

}  // namespace

std::string NoNumbersText(const std::string& fileName) {
  return "Die Datei \"" + fileName + "\" enthält keine Spalte mit Zahlen und kann nicht als Aufzeichnung geöffnet werden.";
}

std::string BadRowsText(const TCsvLoad& load) {
  const std::string skipped = load.BadRows == 1 ? "1 Zeile wurde übersprungen"
                                                : GroupedCount(load.BadRows) + " Zeilen wurden übersprungen";
  const std::string loaded = load.Rows == 0 ? "keine geladen" : GroupedCount(load.Rows) + " geladen";
  return "Zeile " + GroupedCount(load.FirstBadLine) + " " + Why(load.FirstBad) + "; " + skipped + ", " + loaded + ".";
}

std::string RecordingIsNoAcquisitionText() {
  return "Die angezeigte Aufzeichnung ist bereits als CSV-Datei gespeichert. Als Erfassung (.kvx) lassen sich nur "
         "eine Erfassung oder eine geladene Erfassungsdatei speichern.";
}

}  // namespace kurvex
