#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/geometry.h"

class QWidget;

namespace kurvex {

class TBitmap;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

/// Cursor ids: the stock shapes are negative, 0 is the default, positive ids
/// are images registered with RegisterCursor.
using TCursor = int;
inline constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeAll = -22, crHandPoint = -21, crDrag = -12, crNo = -18;

/// Registers a 32 × 32 cursor image: `rows` holds 32 strings of 32 characters,
/// '#' black, '.' white, anything else transparent; (hotX, hotY) is the hot spot.
void RegisterCursor(TCursor id, const char* const rows[32], int hotX, int hotY);

using TAnchors = std::uint8_t;
inline constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;

/// Base of every windowed control: a Qt widget behind a Qt-free interface.
/// Owns its widget; child controls are owned by whoever created them and
/// must be destroyed before their parent. GUI thread only.
class TWinControl {
 public:
  virtual ~TWinControl();
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;

  /// The widget, for the platform layer and for tests.
  QWidget* Widget() const;

  void SetParent(TWinControl* parent);
  TWinControl* Parent() const;

  /// Position relative to the parent's client area, size in pixels.
  virtual void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

  /// Which parent edges the control keeps its distance to when the parent resizes.
  void SetAnchors(TAnchors anchors);
  TAnchors Anchors() const;

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);

  /// The design name (objectName).
  void SetName(const std::string& name);
  std::string Name() const;
  /// What a screen reader announces.
  void SetAccessibleName(const std::string& name);
  std::string AccessibleName() const;

  void SetCursor(TCursor cursor);
  TCursor Cursor() const;

 protected:
  /// Takes ownership of widget.
  explicit TWinControl(QWidget* widget, TWinControl* parent);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  friend struct ControlAccess;
};

/// A control that draws itself: the window shows the bitmaps handed to
/// PresentBitmap; the virtual methods receive the window's events.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TWinControl* parent = nullptr);
  ~TCustomControl() override;

  /// Copies bitmap into the window's picture at (x, y) and schedules one
  /// repaint; several presents before the event loop runs appear at once.
  void PresentBitmap(int x, int y, const TBitmap& bitmap);
  /// The picture the window shows (for tests and screenshots).
  const TBitmap& WindowImage() const;

  /// True once the native window exists (after HandleNeeded or the first show).
  bool HandleAllocated() const;
  /// Creates the native window now if it does not exist yet (runs CreateWnd).
  void HandleNeeded();
  /// Asks for Paint at the next pass of the event loop.
  void Invalidate();
  /// Pointer capture: mouse moves keep coming while a button is held.
  bool MouseCaptured() const;

 protected:
  /// Runs once, when the native window is created.
  virtual void CreateWnd() {}
  /// Renders the whole control; runs when the window needs its picture.
  virtual void Paint() {}
  virtual void MouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseMove(TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseLeave() {}
  virtual void MouseWheel(TShiftState, int /*delta*/, int /*x*/, int /*y*/) {}

 private:
  struct Impl;
  std::unique_ptr<Impl> m_cimpl;
  friend class CustomControlWidget;
};

}  // namespace kurvex
