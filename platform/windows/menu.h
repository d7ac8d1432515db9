// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/windows/control.h"

class QAction;
class QMenuBar;
class QObject;

namespace kurvex {

class TForm;

/// An entry of a menu. An item with children opens them as a submenu; one
/// without children runs OnClick when chosen, also at the top level of the
/// menu bar. Items are owned by their parent item or menu. GUI thread only.
class TMenuItem : public TObject {
 public:
  ~TMenuItem() override;
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  /// Appends a child item and returns it.
  TMenuItem& Add(const std::string& caption);
  int Count() const { return static_cast<int>(m_items.size()); }
  TMenuItem& Items(int index) { return *m_items.at(index); }

  void SetCaption(const std::string& caption);
  std::string Caption() const;
  void SetName(const std::string& name);
  std::string Name() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  bool Visible() const;
  /// A key combination that chooses the item from anywhere in the window,
  /// shown beside its caption; written as "Ctrl+S", "F5", "Shift+F5".
  void SetShortCut(const std::string& keys);
  std::string ShortCut() const;
  /// A checkable item shows a tick while Checked; choosing it toggles the
  /// tick before OnClick runs.
  void SetCheckable(bool checkable);
  void SetChecked(bool checked);
  bool Checked() const;

  /// Runs OnClick, as choosing the item does.
  void Click();
  TNotifyEvent OnClick;
  /// Runs just before the item's submenu opens (its items may change then).
  TNotifyEvent OnPopup;

  /// The toolkit action behind the item, for the platform and for tests.
  QAction* Action() const;

 private:
  TMenuItem(const std::string& caption, QObject* owner);
  friend class TMainMenu;
  friend class TPopupMenu;

  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::vector<std::unique_ptr<TMenuItem>> m_items;
};

/// The menu bar of a form; its top-level items are added with Add.
class TMainMenu : public TObject {
 public:
  explicit TMainMenu(TForm& form);
  ~TMainMenu() override;

  TMenuItem& Add(const std::string& caption);
  int Count() const { return static_cast<int>(m_items.size()); }
  TMenuItem& Items(int index) { return *m_items.at(index); }

  QMenuBar* MenuBar() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::vector<std::unique_ptr<TMenuItem>> m_items;
};

/// A context menu of a control, opened where the user asked for it.
class TPopupMenu : public TObject {
 public:
  /// The menu belongs to `control`'s window and uses its font.
  explicit TPopupMenu(TWinControl& control);
  ~TPopupMenu() override;

  TMenuItem& Add(const std::string& caption);
  void AddSeparator();
  int Count() const { return static_cast<int>(m_items.size()); }
  TMenuItem& Items(int index) { return *m_items.at(index); }

  /// Opens the menu at (x, y), client pixels of the control, and returns at
  /// once; the chosen item's OnClick runs later.
  void Popup(int x, int y);
  /// Open now.
  bool Shown() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::vector<std::unique_ptr<TMenuItem>> m_items;
};

}  // namespace kurvex
