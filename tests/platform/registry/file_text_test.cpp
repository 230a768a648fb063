// The settings file's text as the store reads it: forms a person wrote otherwise than the store
// writes them, lines that end wrongly, keys of many values and keys written twice, and texts read
// through the platform's wide functions in one query.
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "store_support.h"

using namespace regtest;

TEST_F(Registry, FormsAPersonWroteOtherwiseReadRightAndAreWrittenInTheStoresOwn) {
  WriteBytes(reg::FilePath(),
             "[HKEY_CURRENT_USER\\Software\\Forms]\n"
             "\"\\u0041scii\"=\"\\u0041\\u000a\\uD83D\\uDE00\"\n"
             "\"Tab\"=\"a\tb\"\n"
             "\"Lower\"=\"\\u001f\"\n"
             "\"Own\"=\"\\u001F \\uD800 line\\nbreak \\\"q\\\" \\\\\"\n"
             "\"Dup\"=\"first\"\n"
             "\"Num\"=dword:A\n"
             "\"\\u004Eum2\"=dword:1\n"
             "\"dup\"=\"\\u0031\"\n");
  EXPECT_EQ(GetText(u"Software\\Forms", u"ASCII"), u"A\n\U0001F600");
  EXPECT_EQ(GetText(u"Software\\Forms", u"tab"), u"a\tb");
  EXPECT_EQ(GetText(u"Software\\Forms", u"Lower"), u"\x1F");
  EXPECT_EQ(GetText(u"Software\\Forms", u"Own"), u"\x1F \xD800 line\nbreak \"q\" \\");
  EXPECT_EQ(GetText(u"Software\\Forms", u"DUP"), u"1");
  reg::Value number;
  ASSERT_EQ(reg::QueryValue(u"Software\\Forms", u"num2", &number), ERROR_SUCCESS);
  EXPECT_EQ(number.number, 1u);
  EXPECT_TRUE(DamagedFiles().empty());

  ASSERT_EQ(SetText(u"Software\\Forms", u"New", u"x"), ERROR_SUCCESS);
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Forms]\n"
            "\"Ascii\"=\"A\\n\U0001F600\"\n"
            "\"Tab\"=\"a\\u0009b\"\n"
            "\"Lower\"=\"\\u001F\"\n"
            "\"Own\"=\"\\u001F \\uD800 line\\nbreak \\\"q\\\" \\\\\"\n"
            "\"Dup\"=\"1\"\n"
            "\"Num\"=dword:0000000a\n"
            "\"Num2\"=dword:00000001\n"
            "\"New\"=\"x\"\n\n");
}

// A value's line ends after its text, with nothing but blanks: a text never runs on into the next
// line, and a line with more after its text is no settings line.
TEST_F(Registry, AValueLineEndsWithItsText) {
  WriteBytes(reg::FilePath(),
             "[HKEY_CURRENT_USER\\Software]\n"
             "\"Fine\"=\"a\"  \t\r\n"
             "  \"Spaced\" = \"b\"\n"
             "\"More\"=\"c\" d\n"
             "\"Open\"=\"e\n"
             "f\"\n"
             "\"Number\"=dword:00000002 x\n"
             "\"After\"=\"g\"");
  EXPECT_EQ(GetText(u"Software", u"Fine"), u"a");
  EXPECT_EQ(GetText(u"Software", u"Spaced"), u"b");
  EXPECT_EQ(GetText(u"Software", u"More"), std::nullopt);
  EXPECT_EQ(GetText(u"Software", u"Open"), std::nullopt);
  EXPECT_EQ(GetText(u"Software", u"After"), u"g");
  reg::Value number;
  EXPECT_EQ(reg::QueryValue(u"Software", u"Number", &number), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(DamagedFiles().size(), 1u);
}

// Every value of a key of many is found, by any case of its name; a key written twice holds the
// values of both places, a name written twice the later text, under the case first written.
TEST_F(Registry, AKeyOfManyValuesAndAKeyWrittenTwiceReadWhole) {
  std::string text = "[HKEY_CURRENT_USER\\Software\\Many]\n";
  for (int i = 0; i < 20000; ++i) text += "\"Value" + std::to_string(i) + "\"=\"" + std::to_string(i * 7) + "\"\n";
  text += "[HKEY_CURRENT_USER\\Software\\Other]\n\"Between\"=dword:00000001\n";
  text += "[HKEY_CURRENT_USER\\software\\many]\n\"VALUE5\"=\"again\"\n\"Last\"=\"z\"\n";
  WriteBytes(reg::FilePath(), text);
  for (int i : {0, 1, 4, 6, 9999, 19999}) {
    EXPECT_EQ(GetText(u"Software\\Many", vb::FromUtf8("vAlUe" + std::to_string(i))), vb::FromUtf8(std::to_string(i * 7)));
  }
  EXPECT_EQ(GetText(u"Software\\Many", u"value5"), u"again");
  EXPECT_EQ(GetText(u"Software\\Many", u"Value20000"), std::nullopt);
  EXPECT_EQ(GetText(u"Software\\Many", u"Last"), u"z");
  ASSERT_EQ(SetText(u"Software\\Many", u"Value3", u"changed"), ERROR_SUCCESS);
  const std::string body = FileBody();
  EXPECT_NE(body.find("\"Value5\"=\"again\"\n\"Value6\"=\"42\"\n"), std::string::npos);
  EXPECT_NE(body.find("\"Value19999\"=\"139993\"\n\"Last\"=\"z\"\n\n"), std::string::npos);
  EXPECT_NE(body.find("\"Value3\"=\"changed\"\n"), std::string::npos);
  EXPECT_EQ(body.find("VALUE5"), std::string::npos);
}

// A key's values whose names come again further down keep the later texts in the first places, and
// values set after them follow in order, however many the names written twice and the values set.
TEST_F(Registry, ValuesSetAfterNamesWrittenTwiceFollowInOrder) {
  for (const int again : {1, 44, 45, 46, 150}) {
    std::string text = "[HKEY_CURRENT_USER\\Software\\Again]\n";
    for (int i = 0; i < 300 - again; ++i) text += "\"V" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\n";
    for (int i = 0; i < again; ++i) text += "\"v" + std::to_string(i) + "\"=\"again\"\n";
    WriteBytes(reg::FilePath(), text);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(SetText(u"Software\\Again", vb::FromUtf8("New" + std::to_string(i)), u"n"), ERROR_SUCCESS);
    std::string expected = "[HKEY_CURRENT_USER\\Software\\Again]\n";
    for (int i = 0; i < 300 - again; ++i) {
      expected += "\"V" + std::to_string(i) + "\"=\"" + (i < again ? "again" : std::to_string(i)) + "\"\n";
    }
    expected += "\"New0\"=\"n\"\n\"New1\"=\"n\"\n\"New2\"=\"n\"\n\n";
    EXPECT_EQ(FileBody(), "[HKEY_CURRENT_USER\\Software]\n\n" + expected) << again;
    EXPECT_EQ(GetText(u"Software\\Again", u"v0"), u"again") << again;
    EXPECT_EQ(GetText(u"Software\\Again", u"New2"), u"n") << again;
  }
}

// A name written twice, also in two places of its key, stands once for its later value whatever
// comes first after the file is read: a read of it, a read of another name or of none, a write to
// it, or a write elsewhere; and the file written next holds it once, in the case first written.
TEST_F(Registry, ANameWrittenTwiceStandsOnceWhateverComesFirstAfterARead) {
  const std::string text =
      "[HKEY_CURRENT_USER\\Software\\Twice]\n\"Shown\"=\"old\"\n\"Count\"=\"text\"\n\"Other\"=\"o\"\n"
      "[HKEY_CURRENT_USER\\Software\\Else]\n\"E\"=\"e\"\n"
      "[HKEY_CURRENT_USER\\software\\twice]\n\"SHOWN\"=\"new\"\n\"count\"=dword:00000007\n";
  const auto count = [] {
    reg::Value value;
    return reg::QueryValue(u"Software\\Twice", u"COUNT", &value) == ERROR_SUCCESS ? value.number : 99;
  };
  const auto twice = [] {  // the key's lines in the file
    const std::string body = FileBody();
    return body.substr(0, body.find("[HKEY_CURRENT_USER\\Software\\Else]"));
  };
  const std::string before = "[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Twice]\n\"Shown\"=\"";
  const std::vector<std::pair<const char*, std::function<void()>>> firsts = {
      {"a read of it", [] { EXPECT_EQ(GetText(u"Software\\Twice", u"shown"), u"new"); }},
      {"a read of another", [] { EXPECT_EQ(GetText(u"Software\\Twice", u"Other"), u"o"); }},
      {"a read of none", [] { EXPECT_EQ(GetText(u"Software\\Twice", u"None"), std::nullopt); }},
      {"a write elsewhere", [] { ASSERT_EQ(SetText(u"Software\\Else", u"E", u"f"), ERROR_SUCCESS); }},
  };
  for (const auto& [first, act] : firsts) {
    WriteBytes(reg::FilePath(), text);
    act();
    ASSERT_EQ(SetText(u"Software\\Else", u"Written", u"w"), ERROR_SUCCESS);
    EXPECT_EQ(twice(), before + "new\"\n\"Count\"=dword:00000007\n\"Other\"=\"o\"\n\n") << first;
    EXPECT_EQ(GetText(u"Software\\Twice", u"Shown"), u"new") << first;
    EXPECT_EQ(count(), 7u) << first;
  }
  WriteBytes(reg::FilePath(), text);
  ASSERT_EQ(SetText(u"Software\\Twice", u"shown", u"set"), ERROR_SUCCESS);
  EXPECT_EQ(GetText(u"Software\\Twice", u"SHOWN"), u"set");
  EXPECT_EQ(twice(), before + "set\"\n\"Count\"=dword:00000007\n\"Other\"=\"o\"\n\n");
}

// Lines of plain characters are read a block of bytes at a time, others character by character;
// the two readings agree. A plain name of any length, up to the block and past it, is found by any
// case of it, and a later line of the same name in an escaped form gives the first its text. A
// control character, DEL or a Cyrillic letter late in a long text is read as what it is, wherever
// in the block it stands, and written back in the store's own form.
TEST_F(Registry, PlainLinesAndOtherFormsReadAlike) {
  std::string text = "[HKEY_CURRENT_USER\\Software\\Lengths]\n";
  std::string later;
  std::vector<std::string> names;
  for (int length = 0; length <= 34; ++length) {
    std::string name;
    for (int k = 0; k < length; ++k) name += static_cast<char>((k % 3 == 0 ? 'A' : 'a') + k % 26);
    names.push_back(name);
    text += "\"" + name + "\"=\"plain " + std::to_string(length) + "\"\n";
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(name.empty() ? 0 : name[0]));
    if (length % 2 == 1) later += "\"" + std::string(escaped) + name.substr(1) + "\"=\"escaped\"\n";
  }
  text += "\"Tab\"=\"abcdefghijklmnopqrstu\tv\"\n"
          "\"Del\"=\"abcdefghijklmnopqrstuvwxyzABCDE\x7F\"\n"
          "\"Cyrillic\"=\"abcdefghijklmnopqr\xD0\x96\xD0\xB6\"\n";
  WriteBytes(reg::FilePath(), text + later);

  for (std::size_t length = 0; length < names.size(); ++length) {
    std::string swapped = names[length];
    for (char& c : swapped) c = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
    const std::string expected = length % 2 == 1 ? "escaped" : "plain " + std::to_string(length);
    EXPECT_EQ(GetText(u"Software\\Lengths", vb::FromUtf8(swapped)), vb::FromUtf8(expected)) << length;
  }
  EXPECT_EQ(GetText(u"Software\\Lengths", u"tab"), u"abcdefghijklmnopqrstu\tv");
  EXPECT_EQ(GetText(u"Software\\Lengths", u"DEL"), u"abcdefghijklmnopqrstuvwxyzABCDE\x7F");
  EXPECT_EQ(GetText(u"Software\\Lengths", u"cyrillic"), u"abcdefghijklmnopqrЖж");
  EXPECT_TRUE(DamagedFiles().empty());

  ASSERT_EQ(SetText(u"Software\\Lengths", u"New", u"x"), ERROR_SUCCESS);
  const std::string body = FileBody();
  EXPECT_NE(body.find("\"" + names[33] + "\"=\"escaped\"\n\"" + names[34] + "\"=\"plain 34\"\n"), std::string::npos);
  EXPECT_NE(body.find("\"Tab\"=\"abcdefghijklmnopqrstu\\u0009v\"\n"), std::string::npos);
  EXPECT_NE(body.find("\"Del\"=\"abcdefghijklmnopqrstuvwxyzABCDE\\u007F\"\n"), std::string::npos);
  EXPECT_EQ(body.find("\\u004"), std::string::npos);
}

// A write keeps every line's value, whether the file held it as the store writes it or otherwise
// (a line ending in CR LF, blanks, escapes, a number, a key written twice, a last line without its
// line feed), writes each in the store's form, and reads each back right at once, before and after
// the file is read again.
TEST_F(Registry, AWriteKeepsEveryLineWhateverItsFormAndReadsItBack) {
  WriteBytes(reg::FilePath(),
             "[HKEY_CURRENT_USER\\Software\\Lines]\n"
             "\"A\"=\"a\"\n\"B\"=\"bb\"\n"
             "\"Crlf\"=\"c\"\r\n"
             "\"D\"=\"d\"\n"
             "\"Spaced\" = \"s\"  \n"
             "\"E\"=\"e\"\n"
             "\"Escaped\"=\"x\\\\y\"\n"
             "\"Number\"=dword:00000010\n"
             "[HKEY_CURRENT_USER\\Software\\Other]\n\"O\"=\"o\"\n"
             "[HKEY_CURRENT_USER\\Software\\Lines]\n\"F\"=\"f\"\n\"G\"=\"g\"");
  const std::vector<std::pair<std::u16string, std::u16string>> texts = {
      {u"A", u"a"}, {u"B", u"bb"}, {u"Crlf", u"c"}, {u"D", u"d"},  {u"Spaced", u"s"},
      {u"E", u"e"}, {u"Escaped", u"x\\y"}, {u"F", u"f"}, {u"G", u"g"}, {u"New", u"n"}};
  ASSERT_EQ(SetText(u"Software\\Lines", u"New", u"n"), ERROR_SUCCESS);
  EXPECT_EQ(FileBody(),
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Lines]\n"
            "\"A\"=\"a\"\n\"B\"=\"bb\"\n\"Crlf\"=\"c\"\n\"D\"=\"d\"\n\"Spaced\"=\"s\"\n\"E\"=\"e\"\n"
            "\"Escaped\"=\"x\\\\y\"\n\"Number\"=dword:00000010\n\"F\"=\"f\"\n\"G\"=\"g\"\n\"New\"=\"n\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\Other]\n\"O\"=\"o\"\n\n");
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& [name, text] : texts) EXPECT_EQ(GetText(u"Software\\Lines", name), text) << pass;
    EXPECT_EQ(GetText(u"Software\\Other", u"O"), u"o") << pass;
    WriteBytes(reg::FilePath(), ReadBytes(reg::FilePath()) + "\n");  // read again
  }
}

// The last line of a file reads alike at any length, near the block the common lines are read in
// and past it, with a line feed after it or none; so do the lines before it.
TEST_F(Registry, TheLastLineReadsAtAnyLengthWithOrWithoutItsLineFeed) {
  for (int length = 20; length <= 40; ++length) {
    for (const char* end : {"\n", ""}) {
      const std::string name = "Last" + std::to_string(length);
      const std::string text(static_cast<std::size_t>(length) - name.size() - 5, 'x');
      WriteBytes(reg::FilePath(), "[HKEY_CURRENT_USER\\Software]\n\"Before\"=\"b\"\n\"" + name + "\"=\"" + text + "\"" + end);
      EXPECT_EQ(GetText(u"Software", vb::FromUtf8(name)), vb::FromUtf8(text)) << length << *end;
      EXPECT_EQ(GetText(u"Software", u"Before"), u"b") << length << *end;
      EXPECT_TRUE(DamagedFiles().empty()) << length << *end;
    }
  }
}

// The wide query of a text asks for its size without reading it, reads it into the caller's buffer
// in one call, also at an odd address, and gives ERROR_MORE_DATA for a buffer too small.
TEST_F(Registry, TheWideQueryReadsATextInOneCallWhereverItsBufferIs) {
  std::u16string big;
  while (big.size() < 1'000'000) big += u"Съешь же ещё этих булок \"и\" \\ \n";
  ASSERT_EQ(SetText(u"Software", u"Big", big), ERROR_SUCCESS);
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"big", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, big.size() * 2);

  std::string buffer(size + 1, '\x7F');
  DWORD room = size - 2;
  EXPECT_EQ(RegQueryValueExW(key, u"Big", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data() + 1), &room),
            ERROR_MORE_DATA);
  EXPECT_EQ(room, size);
  EXPECT_EQ(buffer, std::string(size + 1, '\x7F'));
  room = size;
  ASSERT_EQ(RegQueryValueExW(key, u"Big", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data() + 1), &room),
            ERROR_SUCCESS);
  EXPECT_EQ(room, size);
  EXPECT_EQ(buffer.substr(1), std::string(reinterpret_cast<const char*>(big.data()), size));

  std::u16string aligned(big.size(), u' ');
  room = size;
  ASSERT_EQ(RegQueryValueExW(key, u"Big", nullptr, &type, reinterpret_cast<BYTE*>(aligned.data()), &room),
            ERROR_SUCCESS);
  EXPECT_EQ(aligned, big);
  RegCloseKey(key);
}
