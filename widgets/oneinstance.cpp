// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/oneinstance.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <string>

#include "platform/system/dispatcher.h"
#include "platform/system/eventguard.h"
#include "platform/windows/form.h"
#include "platform/windows/messageboxes.h"
#include "widgets/applicationguard.h"

namespace kurvex {

namespace {

TOneInstance* g_oneInstance = nullptr;

// What a later copy sends; anything else on the socket is ignored.
constexpr char kActivateRequest[] = "activate\n";
constexpr int kConnectTimeoutMs = 500;

}  // namespace

struct TOneInstance::Impl {
  std::unique_ptr<QLocalServer> server;
};

TOneInstance::TOneInstance(TForm& owner) : m_impl(std::make_unique<Impl>()), m_owner(owner) {
  if (g_oneInstance) {
    throw EOneInstError("TOneInstance:\rAlready one TOneInstance control in this project!");
  }
  g_oneInstance = this;
}

TOneInstance::~TOneInstance() {
  if (g_oneInstance == this) g_oneInstance = nullptr;
}

void TOneInstance::Loaded() {
  const TApplicationGuard* guard = TApplicationGuard::Current();
  if (!guard || guard->SocketPath().empty()) return;
  if (!guard->PreviousInstance()) {
    Listen(guard->SocketPath());
    return;
  }
  if (!m_enabled) return;
  switch (m_mode) {
    case oiActivateOnly:
      ActivateFirstCopy();
      break;
    case oiDefaultMessage: {
      const std::string title = QGuiApplication::applicationDisplayName().toStdString();
      TheMessageBoxes().Show("\"" + title + "\" was already started...", title,
                             MessageIcon::Information, MessageButtons::Ok);
      ActivateFirstCopy();
      break;
    }
    case oiCustom:
      if (OnCustom) {
        OnCustom(this);
      } else {
        ActivateFirstCopy();
      }
      break;
  }
  TDispatcher::Terminate();
}

void TOneInstance::ActivateFirstCopy() {
  const TApplicationGuard* guard = TApplicationGuard::Current();
  if (!guard || !guard->PreviousInstance() || guard->SocketPath().empty()) return;
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(guard->SocketPath()));
  if (!socket.waitForConnected(kConnectTimeoutMs)) return;
  socket.write(kActivateRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
}

void TOneInstance::Listen(const std::string& socketPath) {
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  // This copy holds the lock, so a socket file left behind is a crashed
  // copy's and may go.
  QLocalServer::removeServer(QString::fromStdString(socketPath));
  if (!server->listen(QString::fromStdString(socketPath))) return;
  QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
    while (QLocalSocket* client = m_impl->server->nextPendingConnection()) {
      QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
        const QByteArray request(kActivateRequest);
        if (client->bytesAvailable() < request.size()) return;  // wait for the whole line
        if (client->read(request.size()) == request) {
          RunReportingErrors([&] { BringOwnerForward(); });
        }
        client->disconnectFromServer();
      });
    }
  });
  m_impl->server = std::move(server);
}

void TOneInstance::BringOwnerForward() {
  QWidget* window = m_owner.Widget();
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  m_owner.BringToFront();
  if (OnActivated) OnActivated(this);
}

}  // namespace kurvex
