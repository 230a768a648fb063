#include "platform/shell/exit_windows.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdlib>

namespace win {
namespace {

constexpr char kDefaultSystemBus[] = "unix:path=/run/dbus/system_bus_socket";
constexpr int kWaitForTheUserMs = 10 * 60 * 1000;  // an authentication prompt may take a while

QString SystemBusAddress() {
  const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  return QString::fromUtf8(address != nullptr && *address != 0 ? address : kDefaultSystemBus);
}

QDBusMessage Request(UINT flags) {
  const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
  auto call = [&](const char* method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                          manager, QString::fromLatin1(method));
  };
  if ((flags & EWX_REBOOT) != 0) return call("Reboot") << true;
  if ((flags & (EWX_SHUTDOWN | EWX_POWEROFF)) != 0) return call("PowerOff") << true;
  // "auto": the caller's own session, or the user's graphical one when the caller runs outside any.
  return call("TerminateSession") << QStringLiteral("auto");
}

}  // namespace

BOOL ExitWindowsEx(UINT flags, DWORD) {
  // A connection of its own each time, so the bus asked is the one named now.
  const QString name = QStringLiteral("qm-login-manager");
  BOOL done = FALSE;
  {
    QDBusConnection bus = QDBusConnection::connectToBus(SystemBusAddress(), name);
    if (bus.isConnected()) {
      const QDBusMessage reply = bus.call(Request(flags), QDBus::BlockWithGui, kWaitForTheUserMs);
      done = reply.type() == QDBusMessage::ReplyMessage ? TRUE : FALSE;
    }
  }
  QDBusConnection::disconnectFromBus(name);
  return done;
}

}  // namespace win
