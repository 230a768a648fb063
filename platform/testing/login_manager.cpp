#include "platform/testing/login_manager.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <cstdlib>

namespace platform::testing {
namespace {

const QString kConnection = QStringLiteral("qm-login-manager-mock");

// Asks the mock, on a connection of its own to the private bus; an error reply when there is none.
QDBusMessage AskMock(const char* method) {
  const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  if (address == nullptr || *address == 0) return QDBusMessage::createError(QStringLiteral("qm.NoPrivateBus"), QString());
  QDBusMessage reply;
  {
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(address), kConnection);
    reply = bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                                    QStringLiteral("org.freedesktop.DBus.Mock"), QString::fromLatin1(method)));
  }
  QDBusConnection::disconnectFromBus(kConnection);
  return reply;
}

QString Text(const QVariant& v) {
  if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
  if (v.typeId() == QMetaType::QString) return QLatin1Char('"') + v.toString() + QLatin1Char('"');
  return v.toString();
}

}  // namespace

std::optional<std::vector<std::u16string>> LoginManagerMockCalls() {
  const QDBusMessage reply = AskMock("GetCalls");
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
  // a(tsav): when, method, arguments.
  const QDBusArgument calls = reply.arguments().constFirst().value<QDBusArgument>();
  std::vector<std::u16string> out;
  calls.beginArray();
  while (!calls.atEnd()) {
    qulonglong when = 0;
    QString method;
    calls.beginStructure();
    calls >> when >> method;
    QStringList args;
    calls.beginArray();
    while (!calls.atEnd()) {
      QDBusVariant arg;
      calls >> arg;
      args << Text(arg.variant());
    }
    calls.endArray();
    calls.endStructure();
    out.push_back((method + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')')).toStdU16String());
  }
  calls.endArray();
  return out;
}

bool ClearLoginManagerMockCalls() { return AskMock("ClearCalls").type() == QDBusMessage::ReplyMessage; }

}  // namespace platform::testing
