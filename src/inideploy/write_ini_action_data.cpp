#include "inideploy/write_ini_action_data.h"

#include "runtime/printf_format.h"

namespace inideploy {

namespace {

constexpr wchar_t kEmptyField[] = L" ";

std::wstring Written(const std::wstring& field) { return field.empty() ? kEmptyField : field; }

std::wstring Read(const runtime::CustomActionSession& session, std::size_t index) {
  const std::wstring* field = session.CustomActionDataField(index);
  if (field == nullptr || *field == kEmptyField) return {};
  return *field;
}

}  // namespace

std::wstring ToCustomActionData(const WriteIniActionData& data) {
  if (!data.deployIniCopy) {
    return runtime::Printf(L"%s;%s;%s;", Written(data.tempDocument), Written(data.slpValue),
                           Written(data.targetDocument));
  }
  return runtime::Printf(L"%s;%s;%s;%s;", Written(data.tempDocument), Written(data.slpValue),
                         Written(data.targetDocument), Written(*data.deployIniCopy));
}

WriteIniActionData ReadWriteIniActionData(const runtime::CustomActionSession& session) {
  WriteIniActionData data{Read(session, 0), Read(session, 1), Read(session, 2), Read(session, 3)};
  if (data.deployIniCopy->empty()) data.deployIniCopy.reset();
  return data;
}

}  // namespace inideploy
