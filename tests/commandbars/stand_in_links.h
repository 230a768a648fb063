// A stand-in for the command-bar controls and menu state above the bar and button records: controls
// found by window handle, each recording the changes it is told about.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commandbars/button.h"
#include "commandbars/command_bar.h"
#include "commandbars/toolkit_links.h"

namespace qmtest {

struct BarNotice {
  commandbars::cCommandBarInt* bar;
  std::int32_t code;
  commandbars::cButtonInt* btn;
};

class StandInControl : public commandbars::IBarControl {
 public:
  bool inUse = true;
  std::vector<BarNotice> notices;
  bool InUse() const override { return inUse; }
  void BarChanged(commandbars::cCommandBarInt& bar, std::int32_t code, commandbars::cButtonInt* btn) override {
    notices.push_back(BarNotice{&bar, code, btn});
  }
  std::vector<std::int32_t> Codes() const {
    std::vector<std::int32_t> codes;
    for (const BarNotice& n : notices) codes.push_back(n.code);
    return codes;
  }
};

// Installed for its lifetime.
class StandInLinks : public commandbars::ToolkitLinks {
 public:
  std::map<win::HWND, commandbars::IBarControl*> controls;
  bool cues = false;
  bool showInfrequent = true;
  StandInLinks() { commandbars::SetToolkitLinks(this); }
  ~StandInLinks() override { commandbars::SetToolkitLinks(nullptr); }
  commandbars::IBarControl* ControlFromHwnd(win::HWND h) override {
    auto it = controls.find(h);
    return it == controls.end() ? nullptr : it->second;
  }
  bool KeyboardCues() override { return cues; }
  bool ShowInfrequentlyUsed() override { return showInfrequent; }
};

// A bar under a key.
inline std::unique_ptr<commandbars::cCommandBarInt> MakeBar(std::u16string key) {
  auto bar = std::make_unique<commandbars::cCommandBarInt>();
  bar->Key(std::move(key));
  return bar;
}

// A button under a key, with a caption and a style set before anything is told.
inline std::unique_ptr<commandbars::cButtonInt> MakeButton(std::u16string key, std::u16string caption = {},
                                                           std::int32_t style = commandbars::eNormal) {
  auto btn = std::make_unique<commandbars::cButtonInt>();
  btn->Key(std::move(key));
  btn->Caption(std::move(caption));
  btn->Style(style);
  return btn;
}

}  // namespace qmtest
