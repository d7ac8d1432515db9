// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/form.h"

#include <QCloseEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>

#include <algorithm>

#include "platform/windows/accessibleinterface.h"
#include "platform/system/eventguard.h"
#include "platform/windows/screenplacement.h"

namespace kurvex {

namespace {
constexpr int kNoLimit = QWIDGETSIZE_MAX;
}  // namespace

struct TForm::Impl {
  QWidget* client = nullptr;
  QPointer<QWidget> menuBar;
  QSize minSize{0, 0};
  QSize maxSize{kNoLimit, kNoLimit};
  TFormBorderStyle borderStyle = bsSizeable;
  TFormStyle formStyle = fsNormal;
  TBorderIcons borderIcons = biSystemMenu | biMinimize | biMaximize;
};

// The window of a TForm: turns show and close requests into its events.
class FormWidget : public QWidget {
 public:
  // Screen readers see a form as a window named by its caption; a plain
  // widget would report itself as a mere part of one.
  FormWidget() : QWidget(nullptr, Qt::Window) {
    UseAccessibleInterface<FormWidget, TRoleAccessible<QAccessible::Window>>();
  }
  // Set once the form is fully built and cleared before it is taken apart.
  void SetOwner(TForm* owner) { m_owner = owner; }

 protected:
  void showEvent(QShowEvent* event) override {
    // Spontaneous show events come from the window system (un-minimising);
    // the form is shown once per Show. It appears after this event, so it
    // opens where the user can see all of it (a design position suits one
    // screen size and scale, not every one).
    if (!event->spontaneous()) KeepOnScreen(*this);
    if (m_owner && !event->spontaneous() && m_owner->OnShow) {
      RunReportingErrors([&] { m_owner->OnShow(m_owner); });
    }
  }

  void closeEvent(QCloseEvent* event) override {
    if (!m_owner) return;
    TCloseAction action = caHide;
    if (m_owner->OnClose) RunReportingErrors([&] { m_owner->OnClose(m_owner, action); });
    if (action == caHide || action == caFree) {
      event->accept();
      return;
    }
    event->ignore();
    if (action == caMinimize) showMinimized();
  }

 private:
  TForm* m_owner = nullptr;
};

TForm::TForm() : TWinControl(new FormWidget, nullptr), m_fimpl(std::make_unique<Impl>()) {
  m_fimpl->client = new QWidget(Widget());
  SetClientWidget(m_fimpl->client);
  LayoutClient();
  static_cast<FormWidget*>(Widget())->SetOwner(this);
}

TForm::~TForm() {
  if (Widget()) static_cast<FormWidget*>(Widget())->SetOwner(nullptr);
}

void TForm::SetCaption(const std::string& caption) {
  Widget()->setWindowTitle(QString::fromStdString(caption));
}

std::string TForm::Caption() const { return Widget()->windowTitle().toStdString(); }

void TForm::SetClientSize(int width, int height) {
  const int bar = m_fimpl->menuBar ? m_fimpl->menuBar->sizeHint().height() : 0;
  SetBounds(Left(), Top(), width, height + bar);
}

void TForm::SetSizeConstraints(int minWidth, int minHeight, int maxWidth, int maxHeight) {
  m_fimpl->minSize = {std::max(0, minWidth), std::max(0, minHeight)};
  m_fimpl->maxSize = {maxWidth > 0 ? maxWidth : kNoLimit, maxHeight > 0 ? maxHeight : kNoLimit};
  ApplySizeLimits(Width(), Height());
  SetBounds(Left(), Top(), Width(), Height());  // a size outside the new limits is corrected
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  m_fimpl->borderStyle = style;
  ApplySizeLimits(Width(), Height());
}

TFormBorderStyle TForm::BorderStyle() const { return m_fimpl->borderStyle; }

void TForm::SetBorderIcons(TBorderIcons icons) {
  m_fimpl->borderIcons = icons;
  ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style) {
  m_fimpl->formStyle = style;
  ApplyWindowFlags();
}

TFormStyle TForm::FormStyle() const { return m_fimpl->formStyle; }

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  if (m_fimpl->formStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  const TBorderIcons icons = m_fimpl->borderIcons;
  if (icons != (biSystemMenu | biMinimize | biMaximize)) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (icons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
    if (icons & biMaximize) flags |= Qt::WindowMaximizeButtonHint;
  }
  // Changing the flags hides a shown window; it comes back as it was.
  const bool shown = Widget()->isVisible();
  Widget()->setWindowFlags(flags);
  if (shown) Widget()->show();
}

void TForm::ApplySizeLimits(int width, int height) {
  if (m_fimpl->borderStyle == bsSingle) {
    Widget()->setFixedSize(width, height);
  } else {
    Widget()->setMinimumSize(m_fimpl->minSize);
    Widget()->setMaximumSize(m_fimpl->maxSize);
  }
}

void TForm::SetBounds(int left, int top, int width, int height) {
  // A fixed border must let the program itself resize the window.
  if (m_fimpl->borderStyle == bsSingle) ApplySizeLimits(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::CenterOver(const TForm& other) {
  const QRect area = other.Widget()->frameGeometry();
  const QSize size = Widget()->frameGeometry().size();
  Widget()->move(area.left() + (area.width() - size.width()) / 2,
                 area.top() + (area.height() - size.height()) / 2);
}

void TForm::Close() { Widget()->close(); }

void TForm::SetMenuBar(QWidget* bar) {
  m_fimpl->menuBar = bar;
  LayoutClient();
}

void TForm::LayoutClient() {
  const int bar = m_fimpl->menuBar ? m_fimpl->menuBar->sizeHint().height() : 0;
  if (m_fimpl->menuBar) {
    m_fimpl->menuBar->setGeometry(0, 0, Width(), bar);
    m_fimpl->menuBar->raise();
  }
  m_fimpl->client->setGeometry(0, bar, Width(), std::max(0, Height() - bar));
}

}  // namespace kurvex
