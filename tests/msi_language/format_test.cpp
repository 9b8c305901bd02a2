// Formatted text beyond the oracle's cases: references into the session's file and component
// tables, deferred sessions, field values that refer to fields, and hostile input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/unicode.h"
#include "platform/win32.h"
#include "test_machine.h"

namespace {

class FormatTest : public testing_support::MachineTest {
 protected:
  std::wstring Format(MSIHANDLE session, const std::wstring& text, const std::vector<std::wstring>& fields = {}) {
    MSIHANDLE record = MsiCreateRecord(static_cast<UINT>(std::max<std::size_t>(fields.size(), 1)));
    MsiRecordSetStringW(record, 0, text.c_str());
    for (std::size_t i = 0; i < fields.size(); ++i) {
      MsiRecordSetStringW(record, static_cast<UINT>(i + 1), fields[i].c_str());
    }
    DWORD length = 0;
    EXPECT_EQ(MsiFormatRecordW(session, record, nullptr, &length), static_cast<UINT>(ERROR_SUCCESS));
    std::wstring buffer(length + 1, L'\0');
    DWORD size = length + 1;
    EXPECT_EQ(MsiFormatRecordW(session, record, buffer.data(), &size), static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_EQ(size, length);
    MsiCloseHandle(record);
    buffer.resize(size);
    return buffer;
  }
};

TEST_F(FormatTest, FileAndComponentReferencesComeFromTheSessionTables) {
  standin::SessionSetup setup;
  setup.filePaths[L"Ini"] = L"C:\\Program Files\\Pelmo\\Pelmo.ini";
  setup.componentFolders[L"Core"] = L"C:\\Program Files\\Pelmo\\";
  setup.features[L"Main"] = {INSTALLSTATE_ABSENT, INSTALLSTATE_LOCAL};
  MSIHANDLE session = standin::OpenSession(setup);
  EXPECT_EQ(Format(session, L"[#Ini]"), L"C:\\Program Files\\Pelmo\\Pelmo.ini");
  EXPECT_EQ(Format(session, L"[!Ini]"), L"C:\\Program Files\\Pelmo\\Pelmo.ini");
  EXPECT_EQ(Format(session, L"[$Core]Data"), L"C:\\Program Files\\Pelmo\\Data");
  EXPECT_EQ(Format(session, L"<[#Other][!Other][$Other][&Main]>"), L"<>");
  // Like environment variables, they decide nothing about a brace group.
  EXPECT_EQ(Format(session, L"{[#Ini]}|{x[#Other]}|{[#Other]}"), L"{C:\\Program Files\\Pelmo\\Pelmo.ini}|{x}|");
}

TEST_F(FormatTest, DeferredSessionExpandsOnlyItsCustomActionData) {
  MSIHANDLE session = Deferred(L"payload");
  EXPECT_EQ(Format(session, L"[CustomActionData]/[ProductName]"), L"payload/");
}

// A field's value is formatted in turn, but field references inside it give nothing, so that a
// field referring to itself cannot recurse; the value ends at a NUL from [~].
TEST_F(FormatTest, FieldValuesAreFormattedOneLevelDeep) {
  MSIHANDLE session = Immediate({{L"A", L"alpha"}});
  EXPECT_EQ(Format(session, L"[1]", {L"[1]"}), L"");
  EXPECT_EQ(Format(session, L"[1]|[2]", {L"<[2][A][0]>", L"two"}), L"<alpha>|two");
  EXPECT_EQ(Format(session, L"a[1]b", {L"x[~]y"}), L"axb");
  EXPECT_EQ(Format(session, L"[1]", {L"{{a}}b"}), L"b");
  EXPECT_EQ(Format(session, L"[[1]]", {L"A"}), L"alpha");
  EXPECT_EQ(Format(session, L"[4294967297]", {L"one"}), L"");
}

struct FormatCase {
  std::wstring text;
  std::wstring expected;
};

// Forms beyond the oracle's sample, answered by the same reference installer in a package session.
TEST_F(FormatTest, BracketsBracesAndEscapesCombineAsTheReferenceInstallerDoes) {
  MSIHANDLE session = Immediate({{L"A", L"alpha"}, {L"E", L"\\ab"}, {L"W", L"{x}"}, {L"Aalpha", L"yes"}});
  const FormatCase cases[] = {
      // Nested groups stay as written unless a reference inside them has no value.
      {L"a{b{[A]}c}d", L"a{b{alpha}c}d"},
      {L"a{b{[U]}c}d", L"ad"},
      {L"{a{b{[U]}c}d}", L""},
      {L"{a{[A]}b[U]}", L"{a{alpha}b}"},
      {L"{[A]{b}}", L"{alpha{b}}"},
      {L"{a{}b}", L"{ab}"},
      {L"{{[U]}x{a}}", L"{x{a}}"},
      {L"{x{[A]}y{[U]}z}", L"{x{alpha}y{}z}"},
      {L"{{a}x{[U]}}", L""},
      // A group that is empty, or whose expansion is wrapped in braces, disappears.
      {L"{}", L""},
      {L"{[%NOPE]}", L""},
      {L"{x[%NOPE]}", L"{x}"},
      {L"{[%NOPE][A]}", L"alpha"},
      {L"{{a}x{b}}", L""},
      {L"{[W]}", L""},
      {L"{[\\{]x[\\}]}", L""},
      {L"x{{[A]}}y", L"xy"},
      // After more closing than opening braces, groups keep their braces around references.
      {L"}{[A]}{[A]}", L"}{alpha}{alpha}"},
      {L"[}]{[A]}", L"{alpha}"},
      {L"}{[U]}", L"}"},
      {L"}{{[A]}}", L"}{alpha}"},
      {L"{[A]}}{[A]}", L"alpha}{alpha}"},
      // A closing character closes the innermost open frame of its kind; others stay as written.
      {L"{x[A}y]z", L"{x[A}y]z"},
      {L"[A{]}", L"}"},
      {L"[A{[A]}]", L"yes"},
      {L"][[A]", L"][alpha"},
      {L"[A\\[B]", L"[A\\"},
      // An escape runs to the first closing bracket.
      {L"[\\ab[A]]", L"a]"},
      {L"[\\[[A]]", L"[]"},
      {L"{[\\a}b]}", L"{a}"},
      {L"[\\]x]", L"x]"},
      // Inside brackets, a backslash after a closing bracket or a brace starts plain text.
      {L"[{\\[A]", L""},
      {L"[[A]\\[A]]", L"]"},
      {L"{[A\\[A]}", L"[A\\alpha"},
      {L"[[E]]", L"a"},
      {L"[~A]", L""},
      // [0] is the text as written.
      {L"x[0]", L"xx[0]"},
      {L"{[A][0]}", L"alpha{[A][0]}"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Format(session, c.text), c.expected) << unicode::ToUtf8(c.text);
  }
}

TEST_F(FormatTest, HostileTextIsHandledInLinearPasses) {
  MSIHANDLE session = Immediate({{L"A", L"A"}});
  const std::size_t depth = 200000;
  // Each level of [[...[A]...]] names A again.
  EXPECT_EQ(Format(session, std::wstring(depth, L'[') + L"A" + std::wstring(depth, L']')), L"A");
  // More closing than opening brackets: the open ones that never close stay as they are.
  std::wstring unbalanced = std::wstring(depth, L']') + std::wstring(depth, L'[') + L"[A]";
  EXPECT_EQ(Format(session, unbalanced), std::wstring(depth, L']') + std::wstring(depth, L'[') + L"A");
  // Braces nested deeply: the outer {{...}} takes everything with it.
  EXPECT_EQ(Format(session, std::wstring(depth, L'{') + L"[A]" + std::wstring(depth, L'}')), L"");
  std::wstring escapes;
  for (std::size_t i = 0; i < depth; ++i) escapes += L"[\\";
  EXPECT_EQ(Format(session, escapes), escapes);
}

TEST_F(FormatTest, BadHandlesAndLengthPointers) {
  MSIHANDLE session = Immediate();
  MSIHANDLE record = MsiCreateRecord(1);
  MsiRecordSetStringW(record, 0, L"[A]");
  wchar_t buffer[8];
  DWORD size = 8;
  EXPECT_EQ(MsiFormatRecordW(session, 0, buffer, &size), static_cast<UINT>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(MsiFormatRecordW(session, record, buffer, nullptr), static_cast<UINT>(ERROR_INVALID_PARAMETER));
  MsiCloseHandle(record);
}

}  // namespace
