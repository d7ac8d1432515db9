// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/dataformat.h"
#include "app/mainwindow.h"
#include "app/windowfeatures.h"

namespace kurvex {

void TForm1::ComComboBoxChange(TObject*) { m_features->PortStatus->Show(); }

void TForm1::FormatComboBoxChange(TObject*) {
  const TDataFormat format = DataFormatOf(FormatComboBox->Text());
  Label3->SetCaption("Databits = " + std::to_string(format.ByteSize));
  Label4->SetCaption(format.StopBits == sbTwo ? "Stopbits = 2" : "Stopbits = 1");
}

}  // namespace kurvex
