// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/speedbutton.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QShortcut>
#include <QToolButton>

#include "platform/system/eventguard.h"
#include "platform/drawing/qtconvert.h"

namespace kurvex {

namespace {

constexpr int kGlyphSize = 16;

QPixmap GlyphPixmap(const char* const rows[kGlyphSize], QRgb ink) {
  QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < kGlyphSize; ++y) {
    for (int x = 0; x < kGlyphSize && rows[y] && rows[y][x] != '\0'; ++x) {
      if (rows[y][x] == '#') image.setPixel(x, y, ink | 0xFF000000u);
      if (rows[y][x] == '.') image.setPixel(x, y, 0xFFFFFFFFu);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

TSpeedButton::TSpeedButton(TWinControl* parent) : TWinControl(new QToolButton, parent) {
  auto* button = static_cast<QToolButton*>(Widget());
  button->setFocusPolicy(Qt::TabFocus);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setIconSize(QSize(kGlyphSize, kGlyphSize));
  QObject::connect(button, &QToolButton::clicked, button, [this] {
    RunReportingErrors([this] { Click(); });
  });
}

void TSpeedButton::SetCaption(const std::string& caption) {
  static_cast<QToolButton*>(Widget())->setText(QString::fromStdString(caption));
  SetCaptionAccessibleName(caption);
}

std::string TSpeedButton::Caption() const {
  return static_cast<QToolButton*>(Widget())->text().toStdString();
}

void TSpeedButton::SetGlyph(const char* const rows[16], TColor ink) {
  // Both states come from one shape: the ink as given, and grey when disabled.
  QIcon icon;
  icon.addPixmap(GlyphPixmap(rows, ToQRgb(ink)), QIcon::Normal);
  icon.addPixmap(GlyphPixmap(rows, ToQRgb(clGrayText)), QIcon::Disabled);
  static_cast<QToolButton*>(Widget())->setIcon(icon);
}

void TSpeedButton::AddShortCut(const std::string& keys) {
  auto* button = static_cast<QToolButton*>(Widget());
  auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(keys), QKeySequence::PortableText),
                                 button);
  shortcut->setContext(Qt::WindowShortcut);
  // A disabled or hidden button ignores its keys, as it ignores the mouse.
  QObject::connect(shortcut, &QShortcut::activated, button, [button] {
    if (button->isEnabled() && button->isVisible()) button->click();
  });
  QStringList names;
  for (const QShortcut* each : button->findChildren<QShortcut*>()) {
    names << each->key().toString(QKeySequence::NativeText);
  }
  button->setToolTip(button->text().trimmed() + " (" + names.join(", ") + ")");
}

void TSpeedButton::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace kurvex
