// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "chart/chartcontrol.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

namespace {
constexpr std::size_t kMaxDataUsers = 4;

void ShowSharingMessage(const char* text) {
  TheMessageBoxes().Show(text, "", MessageIcon::Information, MessageButtons::Ok);
}
}  // namespace

void TCustomChartControl::LeaveOwner() {
  auto& users = m_owner->m_users;
  users.erase(std::remove(users.begin(), users.end(), this), users.end());
  m_owner = nullptr;
}

void TCustomChartControl::SetUseDataOf(TCustomChartControl* chart) {
  if (chart == this) {
    ShowSharingMessage("Chart: Cannot share data with myself");
    return;
  }
  if (!m_users.empty()) {
    ShowSharingMessage("Chart: Cannot use foreign data. Other charts are using my own data.");
    return;
  }
  if (chart == m_owner) return;
  if (chart) {
    TCustomChartControl* target = chart->m_owner ? chart->m_owner : chart;
    if (target->m_users.size() >= kMaxDataUsers) {
      ShowSharingMessage("Chart: Max. number of data shares exceeded");
      return;
    }
    if (m_owner) LeaveOwner();
    target->m_users.push_back(this);
    m_owner = target;
    m_store = target->m_store;
  } else {
    LeaveOwner();
    // The chart keeps showing the items it showed, now as its own.
    m_store = std::make_shared<TItemStore>(*m_store);
  }
  RedrawIfAuto();
}

void TCustomChartControl::SyncSharedData() {
  if (m_owner) {
    m_owner->m_store = m_store;
    for (TCustomChartControl* user : m_owner->m_users) user->m_store = m_store;
  }
  for (TCustomChartControl* user : m_users) user->m_store = m_store;
}

}  // namespace kurvex
