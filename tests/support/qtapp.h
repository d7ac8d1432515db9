// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <Qt>
#include <functional>

class QApplication;
class QWidget;

namespace kurvex::test {

/// The one QApplication of a test process, created on first use and kept
/// until the process ends (widgets of any test may outlive their fixture).
/// Headless when QT_QPA_PLATFORM=offscreen, as ctest sets it.
QApplication& QtApp();

/// Fixture base for tests that create widgets: makes sure the application
/// exists before the first test of the suite runs.
class QtAppTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { QtApp(); }
};

/// Simulated user input, delivered through the application like real input
/// (so filters, enabled state and the widgets' own handling all apply).
/// Positions are in the widget's coordinates; (-1, -1) means its centre.
void MousePress(QWidget* widget, Qt::MouseButton button, QPoint pos = {-1, -1},
                Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseRelease(QWidget* widget, Qt::MouseButton button, QPoint pos = {-1, -1},
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A move with `buttons` held (Qt::NoButton for a plain hover).
void MouseMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// Press and release of the left button.
void MouseClick(QWidget* widget, QPoint pos = {-1, -1},
                Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// A left-button drag as a hand does it: a hover to `from` (which ends an
/// earlier drag), the press, a first held move at `from` (it takes the
/// origin), a held move to `to`, the release.
void MouseDrag(QWidget* widget, QPoint from, QPoint to);


}  // namespace kurvex::test
