#include "preferences/forms/about.h"

#include "core/start.h"
#include "mainwindow/window_chrome.h"
#include "mainwindow/window_placement.h"
#include "platform/vb/app.h"
#include "platform/vb/strings.h"
#include "preferences/forms/program_picture.h"

namespace {

// The two links are set up by their design properties alone: Tahoma 8.25 pt underlined, dark red,
// the highlight colour under the mouse; each shows its target's address.
void DesignLink(HyperLink& link, const std::u16string& caption, const std::u16string& target) {
  vb::StdFont font;
  font.Name = u"Tahoma";
  font.Size = 8.25;
  font.Underline = true;
  vb::PropertyBag& bag = link.DesignProperties();
  bag.WriteProperty(u"Font", font, vb::StdFont{});
  bag.WriteProperty(u"ForeColor", std::int32_t{0x88}, std::int32_t{-1});
  bag.WriteProperty(u"HoverColor", static_cast<std::int32_t>(vb::vbHighlight), std::int32_t{-1});
  bag.WriteProperty(u"Caption", caption, std::u16string());
  bag.WriteProperty(u"HyperLink", target, std::u16string());
}

}  // namespace

frmAbout::frmAbout() { cmdOK.Click = [this] { Unload(); }; }

std::u16string frmAbout::VersionLine(int major, int minor, int revision) {
  auto number = [](int n) { return vb::CStr(std::int64_t{n}); };
  return u"Version " + number(major) + u"." + number(minor) + u".0 Preview build " + number(revision) + u" for Linux.";
}

void frmAbout::Design() {
  Caption(u"О программе");
  BorderStyle(vb::vbFixedDouble);
  constexpr float width = 7200;
  constexpr float height = 5460;
  Move(0, 0, width, height);
  mainwindow::CentreOverMainWindow(*this);
  ImageAbout.Move(240, 240, 960, 960);
  ImageAbout.Stretch(true);
  ImageAbout.Picture(ProgramPicture(u"Data\\icons\\About.png"));
  Frame19.Move(1440, 120, width - 1800, 2340);
  lblVersion.Move(180, 300, width - 2160, 255);
  lblVersion.Caption(u"Version ...");
  lblVersion.FontBold(true);
  lblCopyright.Move(180, 630, width - 2160, 480);
  lblCopyright.WordWrap(true);
  lblCopyright.Caption(u"Copyright © Brannoch Tovin. Все права защищены.\r\nПрограмма распространяется бесплатно.");
  Label3.Move(180, 1380, 2220, 255);
  Label3.Caption(u"Вопросы и комментарии:");
  DesignLink(Hyperlink1, modMain::kAuthorContact, std::u16string(u"mailto:") + modMain::kAuthorContact);
  Hyperlink1.Move(2460, 1380);
  Label4.Move(180, 1800, 2220, 255);
  Label4.Caption(u"Обновления программы:");
  DesignLink(Hyperlink2, modMain::kAuthorHomePage, modMain::kAuthorHomePage);
  Hyperlink2.Move(2460, 1800);
  Frame26.Move(240, 2580, width - 600, 1800);
  Frame26.Caption(u"Поддержать программу:");
  lblMoney.Move(180, 300, width - 960, 1380);
  lblMoney.WordWrap(true);
  lblMoney.Caption(
      u"Программа бесплатна и развивается на добровольных началах. Если она вам полезна, поддержите её: "
      u"расскажите о ней знакомым, сообщайте об ошибках и присылайте предложения на адрес, указанный выше. "
      u"Как ещё можно помочь проекту, рассказано на странице программы.");
  cmdOK.Move(width - 1575, 4560, 1215, 375);
  cmdOK.Caption(u"Ok");
  cmdOK.Default(true);
  cmdOK.Cancel(true);
}

void frmAbout::Form_Load() {
  chrome::ApplyTopMost(hWnd());
  chrome::PlaySoundEvent(chrome::kFormLoad);
  lblVersion.Caption(VersionLine(vb::App.Major, vb::App.Minor, vb::App.Revision));
}

void frmAbout::Form_Unload(int&) { chrome::PlaySoundEvent(chrome::kFormUnload); }
