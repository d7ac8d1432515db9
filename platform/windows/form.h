// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// What happens after OnClose: nothing (the window stays), hide it, hide it
/// (the owner frees it), or minimise it.
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

/// bsSingle: the user cannot resize the window; SetBounds still can.
enum TFormBorderStyle : std::uint8_t { bsSizeable, bsSingle };
enum TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
using TBorderIcons = std::uint8_t;
inline constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

/// A top-level window. Its client area (ClientWidget) lies below the menu
/// bar, if it has one; child controls are placed there. Hidden until shown.
/// Width and Height include the menu bar, not the window manager's frame.
/// GUI thread only.
class TForm : public TWinControl {
 public:
  TForm();
  ~TForm() override;

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  void SetClientSize(int width, int height);
  /// Limits for the window's size; 0 means no limit.
  void SetSizeConstraints(int minWidth, int minHeight, int maxWidth, int maxHeight);
  void SetBorderStyle(TFormBorderStyle style);
  TFormBorderStyle BorderStyle() const;
  /// Which buttons the title bar offers (default all).
  void SetBorderIcons(TBorderIcons icons);
  void SetFormStyle(TFormStyle style);
  TFormStyle FormStyle() const;

  /// Places the window so that its centre is over the centre of `other`.
  void CenterOver(const TForm& other);

  /// Asks the window to close as if the user had: runs OnClose and then
  /// carries out its action.
  void Close();

  /// Runs each time the window is shown, before it appears.
  TNotifyEvent OnShow;
  /// Runs when the window is asked to close; Action starts as caHide.
  TCloseEvent OnClose;

  /// For the main menu: puts `bar` above the client area.
  void SetMenuBar(QWidget* bar);

  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void LayoutClient() override;

 private:
  void ApplyWindowFlags();
  void ApplySizeLimits(int width, int height);

  struct Impl;
  std::unique_ptr<Impl> m_fimpl;
  friend class FormWidget;
};

}  // namespace kurvex
