// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/infowindow.h"

#include "platform/system/translate.h"

namespace kurvex {

TFormInfo::TFormInfo() {
  SetName("FormInfo");
  SetCaption(Tr("Info", "  Info"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(0);
  SetFormStyle(fsStayOnTop);
  SetClientSize(252, 247);

  Label1 = std::make_unique<TLabel>(this);
  Label1->SetName("Label1");
  Label1->SetCaption("Kurvex");
  Label1->SetFontName("DejaVu Sans");
  Label1->SetFontBold(true);
  Label1->SetFontHeight(-23);
  Label1->SetBounds(0, 24, 252, 32);
  Label1->SetAutoSize(false);
  Label1->SetAlignment(taCenter);

  Label2 = std::make_unique<TLabel>(this);
  Label2->SetName("Label2");
  Label2->SetCaption(Tr("Info", "Version  0.5"));
  Label2->SetAutoSize(false);
  Label2->SetAlignment(taCenter);
  Label2->SetBounds(0, 64, 252, 20);

  Label3 = std::make_unique<TLabel>(this);
  Label3->SetName("Label3");
  Label3->SetCaption(Tr("Info", "Messwert-Erfassung über die\nserielle Schnittstelle\n\nfür Linux"));
  Label3->SetAutoSize(false);
  Label3->SetWordWrap(true);
  Label3->SetAlignment(taCenter);
  Label3->SetBounds(16, 100, 220, 80);

  Button1 = std::make_unique<TSpeedButton>(this);
  Button1->SetName("Button1");
  Button1->SetCaption(Tr("Info", "Close"));
  Button1->SetBounds(88, 200, 76, 28);
  Button1->AddShortCut("Esc");
  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
}

TFormInfo::~TFormInfo() = default;

void TFormInfo::Button1Click(TObject*) { Hide(); }

}  // namespace kurvex
