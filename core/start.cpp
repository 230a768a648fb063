#include "core/start.h"

#include "core/main_window.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "platform/vb/app.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/win/common_controls.h"

namespace modMain {
namespace {

StartWindowServices* startWindows = nullptr;


std::int32_t Dialog(std::u16string_view name) {
  return modRegistry::ReadRegistryDword(win::HKEY_CURRENT_USER, settings::kDialogsKey, name);
}

}  // namespace

void SetStartWindows(StartWindowServices* windows) { startWindows = windows; }

StartWindowServices& StartWindows() { return *startWindows; }

void ShowStartForm() {
  if (Dialog(settings::dialogs::kWelcome) == 1) {
    startWindows->ShowWelcome();
  } else if (Dialog(settings::dialogs::kWorkBegin) == 1) {
    startWindows->ShowWorkBegin();
  } else {
    startWindows->ShowMain();
  }
}

bool Main() {
  try {
    // Every copy takes its place among the running copies at once, also one that may run beside
    // others: a copy started later with only one allowed must see it.
    const bool another = vb::App.PrevInstance();
    InitVisualStyles();
    modRegistry::ReportDamagedSettings();
    if (modRegistry::ReadPreference(settings::preferences::kFirstRun) == u"1") {
      vb::MsgBox(std::u16string(u"Эта версия программы не является финальной, не содержит всех изменений, которые "
                                u"появятся в финальной \n"
                                u"версии и даже не находится в стадии тестирования!\n"
                                u"Эта версия прежде всего предназначена для ''предварительного просмотра'', т.е. "
                                u"ознакомления пользователя \n"
                                u"с некоторыми изменениями и функциями, которые появятся в финальной версии "
                                u"программы.\n"
                                u"Все комментарии и пожелания просьба отправлять автору: ") +
                     kAuthorContact,
                 vb::vbOKOnly, core::kProgramTitle);
      modRegistry::WritePreference(settings::preferences::kFirstRun, u"0");
    }
    if (modRegistry::ReadPreference(settings::preferences::kManyCopies) == u"0" && another) {
      vb::MsgBox(u"Программа уже запущена! Чтобы запустить программу несколько раз, включите опцию <Разрешить "
                 u"запуск нескольких копий программы> в диалоговом окне Параметры программы.",
                 vb::vbInformation, core::kProgramTitle);
      return false;
    }
    if (Dialog(settings::dialogs::kSplash) == 1) {
      startWindows->ShowSplash(vb::App.Path() + u"\\Splash.spl");
    } else {
      ShowStartForm();
    }
  } catch (const vb::Error& e) {
    if (e.Number > 0 && e.Number != vb::err::kObjectWasUnloaded) core::ShowErrorBox(e.Number, e.Description);
  }
  return true;
}

void SuppressFaultDialogs() { win::SetErrorMode(win::SEM_NOGPFAULTERRORBOX); }

}  // namespace modMain
