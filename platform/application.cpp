#include "platform/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "platform/vb/app.h"
#include "platform/win/dispatch.h"
#include "platform/win/shown_focus.h"

namespace platform {
namespace {

class BridgedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    if (detail::BeforeDelivery(receiver, event)) return true;
    return QApplication::notify(receiver, event);
  }
};

}  // namespace

struct Application::Impl {
  std::unique_ptr<BridgedApplication> app;
  QTranslator qtbase;
  QTranslator qt;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
  // Popups and placement need screen coordinates, which Wayland does not give: on a Wayland
  // desktop the program runs through XWayland.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") != nullptr) setenv("QT_QPA_PLATFORM", "xcb", 1);
  impl_->app = std::make_unique<BridgedApplication>(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (impl_->qtbase.load(QStringLiteral("qtbase_ru"), dir)) QApplication::installTranslator(&impl_->qtbase);
  if (impl_->qt.load(QStringLiteral("qt_ru"), dir)) QApplication::installTranslator(&impl_->qt);
  QApplication::setQuitOnLastWindowClosed(false);
  vb::App.ReadVersionResource();
  detail::UiThreadId();
  detail::KeepFocusOnShownWindows();
}

Application::~Application() = default;

int Application::Run() { return QApplication::exec(); }

void Application::Quit(int code) { QApplication::exit(code); }

}  // namespace platform
