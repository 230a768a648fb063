// Fixed key tables of the menus.
#include "commandbars/key_names.h"

#include <array>

#include "platform/win/keys.h"

namespace commandbars {
namespace {

struct NamedKey {
  std::int32_t vKey;
  const char16_t* name;
};

constexpr std::array<NamedKey, 34> kNamedKeys{{
    {win::VK_BACK, u"Backspace"}, {win::VK_TAB, u"Tab"},        {win::VK_RETURN, u"Enter"},
    {win::VK_PAUSE, u"Pause"},    {win::VK_ESCAPE, u"Esc"},     {win::VK_SPACE, u"Space"},
    {win::VK_PRIOR, u"PgUp"},     {win::VK_NEXT, u"PgDn"},      {win::VK_END, u"End"},
    {win::VK_HOME, u"Home"},      {win::VK_LEFT, u"Left"},      {win::VK_UP, u"Up"},
    {win::VK_RIGHT, u"Right"},    {win::VK_DOWN, u"Down"},      {win::VK_INSERT, u"Ins"},
    {win::VK_DELETE, u"Del"},     {win::VK_MULTIPLY, u"Num *"}, {win::VK_ADD, u"Num +"},
    {win::VK_SUBTRACT, u"Num -"}, {win::VK_DECIMAL, u"Num ."},  {win::VK_DIVIDE, u"Num /"},
    {win::VK_OEM_1, u";"},        {win::VK_OEM_PLUS, u"="},     {win::VK_OEM_COMMA, u","},
    {win::VK_OEM_MINUS, u"-"},    {win::VK_OEM_PERIOD, u"."},   {win::VK_OEM_2, u"/"},
    {win::VK_OEM_3, u"`"},        {win::VK_OEM_4, u"["},        {win::VK_OEM_5, u"\\"},
    {win::VK_OEM_6, u"]"},        {win::VK_OEM_7, u"'"},        {win::VK_SNAPSHOT, u"PrtSc"},
    {win::VK_APPS, u"Menu"},
}};

// The Russian layout's letters on the keys of the Latin one.
constexpr std::u16string_view kRussianLetters = u"йцукенгшщзхъфывапролджэячсмитьбюё";
constexpr std::array<std::int32_t, 33> kRussianKeys{
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', win::VK_OEM_4, win::VK_OEM_6, 'A', 'S', 'D', 'F', 'G',
    'H', 'J', 'K', 'L', win::VK_OEM_1, win::VK_OEM_7, 'Z', 'X', 'C', 'V', 'B', 'N', 'M', win::VK_OEM_COMMA,
    win::VK_OEM_PERIOD, win::VK_OEM_3};

char16_t LowerCyrillic(char16_t ch) {
  if (ch >= u'А' && ch <= u'Я') return static_cast<char16_t>(ch + 0x20);
  if (ch == u'Ё') return u'ё';
  return ch;
}

}  // namespace

std::u16string ShortcutKeyName(std::int32_t vKey) {
  if ((vKey >= 'A' && vKey <= 'Z') || (vKey >= '0' && vKey <= '9')) return std::u16string(1, static_cast<char16_t>(vKey));
  if (vKey >= win::VK_F1 && vKey <= win::VK_F24) {
    const int n = vKey - win::VK_F1 + 1;
    std::u16string name = u"F";
    if (n >= 10) name += static_cast<char16_t>(u'0' + n / 10);
    return name + static_cast<char16_t>(u'0' + n % 10);
  }
  if (vKey >= win::VK_NUMPAD0 && vKey <= win::VK_NUMPAD0 + 9)
    return u"Num " + std::u16string(1, static_cast<char16_t>(u'0' + vKey - win::VK_NUMPAD0));
  for (const NamedKey& k : kNamedKeys)
    if (k.vKey == vKey) return k.name;
  return {};
}

std::int32_t KeyOfCharacter(char16_t ch) {
  if (ch >= u'a' && ch <= u'z') return ch - u'a' + 'A';
  if ((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')) return ch;
  if (ch == u' ') return win::VK_SPACE;
  const std::size_t at = kRussianLetters.find(LowerCyrillic(ch));
  if (at != std::u16string_view::npos) return kRussianKeys[at];
  for (const NamedKey& k : kNamedKeys)
    if (k.vKey >= win::VK_OEM_1 && k.name[0] == ch && k.name[1] == u'\0') return k.vKey;
  return 0;
}

char16_t MnemonicOf(std::u16string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] != u'&') return caption[i + 1];
    ++i;  // "&&" is a literal "&"
  }
  return 0;
}

}  // namespace commandbars
