// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/oneinstance.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

#include "platform/system/dispatcher.h"
#include "platform/system/eventguard.h"
#include "platform/windows/form.h"
#include "platform/windows/messageboxes.h"
#include "widgets/applicationguard.h"
#include "widgets/instancerequest.h"

namespace kurvex {

namespace {

TOneInstance* g_oneInstance = nullptr;

constexpr int kConnectTimeoutMs = 500;

// What one connection has delivered so far.
struct TConnection {
  QByteArray received;
  bool activated = false;
};

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
  const std::string request = ActivationRequest(guard->HandOver());
  socket.write(request.data(), static_cast<qint64>(request.size()));
  while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kConnectTimeoutMs)) {
  }
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
      auto connection = std::make_shared<TConnection>();
      QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, connection] {
        connection->received += client->readAll();
        const TActivationRequest request =
            ReadActivationRequest({connection->received.constData(), static_cast<std::size_t>(connection->received.size())});
        if (request.Activate && !connection->activated) {
          connection->activated = true;
          RunReportingErrors([&] { BringOwnerForward(); });
        }
        if (request.Status == TActivationRequest::Incomplete) return;  // wait for the rest
        client->disconnectFromServer();
        if (request.Status != TActivationRequest::Complete) return;
        // Handled from the message loop, apart from the connection: the
        // handler may open a message box, whose loop may delete the client.
        QTimer::singleShot(0, m_impl->server.get(), [this, arguments = request.Arguments] {
          if (OnArguments) RunReportingErrors([&] { OnArguments(arguments); });
        });
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
