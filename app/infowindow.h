// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/windows/form.h"
#include "platform/windows/label.h"
#include "platform/windows/speedbutton.h"

namespace kurvex {

/// The small window with the product name and version; hidden until the
/// "Info" menu shows it.
class TFormInfo : public TForm {
 public:
  TFormInfo();
  ~TFormInfo() override;

  void Button1Click(TObject* Sender);

  std::unique_ptr<TLabel> Label1;
  std::unique_ptr<TLabel> Label2;
  std::unique_ptr<TLabel> Label3;
  std::unique_ptr<TSpeedButton> Button1;
};

}  // namespace kurvex
