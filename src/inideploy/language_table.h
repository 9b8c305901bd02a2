// The languages a description's language tokens expand to, in the order their copies are appended.
#pragma once

#include <array>
#include <string_view>

namespace inideploy {

struct Language {
  std::wstring_view code;
  std::wstring_view name;
};

inline constexpr std::array<Language, 14> kLanguageTable{{
    {L"CHS", L"Chinese"},
    {L"CHT", L"Traditional Chinese"},
    {L"CSY", L"Czech"},
    {L"DEU", L"German"},
    {L"ENU", L"English"},
    {L"ENG", L"English"},
    {L"ESP", L"Spanish"},
    {L"FRA", L"French"},
    {L"ITA", L"Italian"},
    {L"JPN", L"Japanese"},
    {L"KOR", L"Korean"},
    {L"PLK", L"Polish"},
    {L"PTB", L"Portuguese"},
    {L"RUS", L"Russian"},
}};

}  // namespace inideploy
