#include "platform/win/resources.h"

#include <dlfcn.h>

#include <QFile>
#include <QString>

namespace win {

HMODULE GetModuleHandleA(const char* moduleName) {
  if (moduleName != nullptr) return 0;
  // The handle the dynamic loader gives the program itself, which stays loaded for its life.
  static const HMODULE program = reinterpret_cast<HMODULE>(::dlopen(nullptr, RTLD_NOW));
  return program;
}

}  // namespace win

namespace platform::resources {

std::optional<std::vector<std::uint8_t>> Read(win::HMODULE module, std::u16string_view type, std::int32_t id) {
  if (module == 0 || module != win::GetModuleHandleA(nullptr)) return std::nullopt;
  const QString path = QStringLiteral(":/resources/%1/%2")
                           .arg(QString::fromUtf16(type.data(), static_cast<qsizetype>(type.size())).toUpper())
                           .arg(id);
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace platform::resources
