// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/drawing/color.h"
#include "platform/drawing/geometry.h"

class QWidget;

namespace kurvex {

class TBitmap;
class TCanvas;

/// Common base of everything that fires events, so handlers can be told
/// which object sent them.
class TObject {
 public:
  virtual ~TObject() = default;
};

/// A plain event handler; Sender is the object that fired the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

/// Keys by their classic virtual-key codes; letters and digits are their
/// upper-case ASCII codes ('A', '0').
using TKey = std::uint16_t;
inline constexpr TKey vkReturn = 0x0D, vkLeft = 0x25, vkUp = 0x26, vkRight = 0x27, vkDown = 0x28;

using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

/// A key pressed while the control has the focus; a handler that takes it
/// sets Key to 0, otherwise it goes on to the window (its shortcuts).
using TKeyEvent = std::function<void(TObject* Sender, TKey& Key, TShiftState Shift)>;
/// The user asks for the control's context menu at (X, Y), client pixels:
/// with the right mouse button, or from the keyboard (ByKeyboard: the menu
/// key; the control itself says where).
using TContextPopupEvent = std::function<void(TObject* Sender, int X, int Y, bool ByKeyboard)>;

/// Cursor ids: the stock shapes are negative, 0 is the default, positive ids
/// are images registered with RegisterCursor.
using TCursor = int;
inline constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeAll = -22, crHandPoint = -21, crDrag = -12, crNo = -18;

/// Registers a 32 × 32 cursor image: `rows` holds 32 strings of 32 characters,
/// '#' black, '.' white, anything else transparent; (hotX, hotY) is the hot spot.
/// May be called before the application object exists; the rows are copied.
void RegisterCursor(TCursor id, const char* const rows[32], int hotX, int hotY);

using TAnchors = std::uint8_t;
inline constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;

/// Docking to an edge of the parent's client area: alTop/alBottom keep their
/// height and span the width, alLeft/alRight keep their width and span the
/// height left over, alClient fills what remains.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

/// Base of every windowed control: a Qt widget behind a Qt-free interface.
/// Owns its widget; child controls are owned by whoever created them and
/// should be destroyed before their parent (a parent that goes first leaves
/// its children without a widget). GUI thread only.
class TWinControl : public TObject {
 public:
  ~TWinControl() override;
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;

  /// The widget, for the platform layer and for tests.
  QWidget* Widget() const;
  /// The widget child controls are placed in (the widget itself, or for a
  /// form the area below its menu bar).
  QWidget* ClientWidget() const;

  void SetParent(TWinControl* parent);
  TWinControl* Parent() const;

  /// Position relative to the parent's client area, size in pixels. For a
  /// window the position is that of its frame and the size excludes the
  /// window manager's frame. Anchoring and aligning also come through here,
  /// so an override can enforce limits by passing other values on.
  virtual void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  int ClientWidth() const;
  int ClientHeight() const;

  /// Which parent edges the control keeps its distance to when the parent
  /// resizes; the distances are those at the last explicit SetBounds,
  /// SetParent or SetAnchors. Left and right together stretch the width.
  void SetAnchors(TAnchors anchors);
  TAnchors Anchors() const;
  void SetAlign(TAlign align);
  TAlign Align() const;

  /// The control's own visibility; a child shows only while its parent does.
  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// The control's own setting. A disabled parent also disables its
  /// children without changing their setting. Runs no handler.
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  /// Raises the control above its siblings; a window is also activated.
  void BringToFront();

  /// Keyboard focus; siblings take it by Tab in the order they were created.
  void SetFocus();
  bool Focused() const;

  /// The design name (objectName).
  void SetName(const std::string& name);
  std::string Name() const;
  /// What a screen reader announces. Controls with a caption announce the
  /// caption until a name is set here.
  void SetAccessibleName(const std::string& name);
  std::string AccessibleName() const;
  /// The tooltip, and the accessible description; empty for none.
  void SetHint(const std::string& hint);
  std::string Hint() const;
  /// Sets the accessible name from a caption or label text (accelerator '&'
  /// and outer blanks removed, lines joined by a blank) unless one was set
  /// with SetAccessibleName.
  void SetCaptionAccessibleName(const std::string& caption);

  void SetCursor(TCursor cursor);
  TCursor Cursor() const;

  /// Font of the control, inherited by children that set none themselves.
  /// Height in pixels: negative is the character height, positive the cell
  /// height (treated alike here).
  void SetFontName(const std::string& name);
  std::string FontName() const;
  void SetFontHeight(int height);
  int FontHeight() const;
  void SetFontBold(bool bold);
  bool FontBold() const;
  /// Colour of the control's text (clDefault: the style's).
  void SetFontColor(TColor color);

 protected:
  /// Takes ownership of widget.
  explicit TWinControl(QWidget* widget, TWinControl* parent);

  /// Puts child controls into `client` (a descendant of Widget()) instead.
  void SetClientWidget(QWidget* client);
  /// Places the client widget inside the control after a size change.
  virtual void LayoutClient() {}

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  friend struct ControlAccess;
};

/// Which part of a control's picture a render draws anew.
enum TPictureArea : std::uint8_t {
  paPlotArea,     ///< only the part live data changes (a chart's plot area)
  paMovedWindow,  ///< that part and the scales, after the world window moved
  paWhole,        ///< every pixel: frame, scales and plot area
};

/// A control that draws itself into the window's picture, which the screen
/// receives whole at a repaint; the virtual methods receive the window's
/// events. Drawing has three words: a control requests a picture
/// (RequestPicture), the frame clock or a reader has it rendered
/// (RenderPicture, the one method that draws), and a reader gets the
/// current picture (ControlBitmap). Takes the keyboard focus by click and
/// by Tab.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TWinControl* parent = nullptr);
  ~TCustomControl() override;

  /// The current picture of the whole control: a requested render runs
  /// first, so it shows what the screen shows after the next frame. It has
  /// the control's size once the control has rendered into it.
  const TBitmap& ControlBitmap();
  /// Schedules the window's picture for the screen at the next event-loop
  /// pass; several calls before the loop runs give one repaint. For code
  /// that draws onto the picture between two renders (an XOR rubber band).
  void UpdateWindow();

  /// True once the native window exists (after HandleNeeded or the first show).
  bool HandleAllocated() const;
  /// Creates the native window now if it does not exist yet (runs CreateWnd).
  void HandleNeeded();
  /// Asks for a repaint that renders the whole control first.
  void Invalidate();
  /// The least time between two renders that requests ask for; 0, the
  /// default, renders at the next frame. Up to twice the pace after the
  /// last render, a frame that comes anyway (the busy indicator's tick, a
  /// text's) takes the picture along, so a slowly moving picture does not
  /// wake the window for a frame of its own. A reader still gets the
  /// current picture at once.
  void SetPicturePace(std::chrono::milliseconds pace);
  /// Pointer capture: mouse moves keep coming while a button is held.
  bool MouseCaptured() const;

  TKeyEvent OnKeyDown;
  TContextPopupEvent OnContextPopup;

 protected:
  /// Runs once, when the native window is created.
  virtual void CreateWnd() {}
  /// Requests a picture: nothing is drawn now. The render runs at the next
  /// frame of the frame clock (TFrameRider), or earlier when the picture is
  /// read; a repaint in between shows the picture of the last frame. Any
  /// number of requests until then cost one render, of the whole control if
  /// one of them asked for it.
  void RequestPicture(TPictureArea area);
  /// Renders `area` into WindowBitmap; the only method that draws the
  /// control. Runs for a request (at the frame, or for a reader) and for
  /// the window's own needs (first show, size change,
  /// another screen resolution), always with paWhole for those. Errors
  /// thrown at a frame or a repaint are reported, not thrown on.
  virtual void RenderPicture(TPictureArea /*area*/) {}
  /// A render tells which client pixels it changed, so only they go to the
  /// screen: rect's pixels moved by dx along X (the screen moves what it
  /// shows rather than receiving it again), and rect's pixels changed. A
  /// render that tells nothing changed the whole control.
  void PictureMoved(const TRect& rect, int dx);
  void PictureChanged(const TRect& rect);
  /// The picture to draw into, sized to the control at the screen's
  /// resolution. A requested render runs first, so what is drawn lands on
  /// the current picture; shows at the next repaint (UpdateWindow).
  TBitmap& WindowBitmap();
  /// Runs a requested render now; does nothing when none is pending.
  void FlushPicture();
  /// Mouse positions are client pixels; Shift holds the modifier keys and
  /// the buttons held after the event (ssDouble on a double click).
  virtual void MouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseMove(TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseLeave() {}
  /// delta: wheel steps in eighths of a degree (120 per notch), positive away
  /// from the user.
  virtual void MouseWheel(TShiftState, int /*delta*/, int /*x*/, int /*y*/) {}
  /// A key pressed while the control has the focus: fires OnKeyDown. Key 0
  /// afterwards means taken; otherwise the key goes on to the window.
  virtual void KeyDown(TKey& key, TShiftState shift);
  /// Fires OnContextPopup; returns whether anyone took the request, which
  /// otherwise goes on to the parent.
  virtual bool ContextPopup(int x, int y, bool byKeyboard);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_cimpl;
  friend class CustomControlWidget;
};

}  // namespace kurvex
