#include "mainwindow/toolbar_timers.h"

#include <string>

#include "core/registry.h"
#include "core/settings_schema.h"

namespace mainwindow {
namespace {

using commandbars::cCommandBarButtons;
using commandbars::kestCommandBar;

std::u16string ToolbarPreference(std::u16string_view name) {
  return modRegistry::ReadRegistryString(win::HKEY_CURRENT_USER, settings::kToolBarsKey, name).value_or(u"");
}

// Tooltips once cleared come back only with the buttons, at the next start.
void ClearToolTips(kestCommandBar& control, std::u16string_view barKey) {
  const cCommandBarButtons buttons = control.CommandBars().Item(barKey).Buttons();
  const std::int32_t count = buttons.count();
  for (std::int32_t i = 1; i <= count; ++i) buttons.Item(i).ToolTip(u"");
}

void SetIcons(kestCommandBar& control, const std::unique_ptr<controls::clsImageList>& small,
              const std::unique_ptr<controls::clsImageList>& large, bool useLarge) {
  const auto& list = useLarge ? large : small;
  control.ToolbarImageList(list ? list->hIml() : 0);
  control.Height(useLarge ? kLargeToolbarHeight : kSmallToolbarHeight);
}

}  // namespace

void TimerCommandBars_Timer(vb::Timer& timer, vb::ControlArray<kestCommandBar>& cmdBar,
                            const CommandImageLists& lists) {
  if (ToolbarPreference(settings::toolbars::kShowToolTips) == u"0") {
    ClearToolTips(cmdBar(1), u"TOOLBAR");
    ClearToolTips(cmdBar(2), u"TOOLBAR2");
  }
  cmdBar(0).HideInfrequentlyUsed(ToolbarPreference(settings::toolbars::kHideInfrequently) != u"1");
  SetIcons(cmdBar(1), lists.ilToolBarSmall, lists.ilToolBarLarge, ToolbarPreference(settings::toolbars::kUseLargeIcons) == u"1");
  SetIcons(cmdBar(2), lists.ilDecodeSmall, lists.ilDecodeLarge, ToolbarPreference(settings::toolbars::kUseLargeIcons) == u"1");
  timer.Enabled(false);
}

void TimerLoadToolBarButtons_Timer(vb::Timer& timer, CommandButtonServices& buttons) {
  modGeneral::LoadToolBarButtonsVisibility(buttons);
  timer.Enabled(false);
}

}  // namespace mainwindow
