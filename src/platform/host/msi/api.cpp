// The property, run-mode, record and product calls of msi.dll.
#include <limits>

#include "kernel/machine.h"
#include "msi/buffer.h"
#include "msi/handles.h"

using standin::InstallerObjectAs;
using standin::Session;

extern "C" BOOL MsiGetMode(MSIHANDLE hInstall, MSIRUNMODE eRunMode) {
  standin::InjectedFault("MsiGetMode");
  auto session = InstallerObjectAs<Session>(hInstall);
  return session && session->RunMode(eRunMode) ? TRUE : FALSE;
}

extern "C" UINT MsiGetPropertyW(MSIHANDLE hInstall, LPCWSTR szName, LPWSTR szValueBuf, DWORD* pcchValueBuf) {
  standin::InjectedFault("MsiGetPropertyW");
  auto session = InstallerObjectAs<Session>(hInstall);
  if (!session) return ERROR_INVALID_HANDLE;
  if (szName == nullptr) return ERROR_INVALID_PARAMETER;
  return standin::CopyToCallerBuffer(session->ReadProperty(szName).value_or(L""), szValueBuf, pcchValueBuf);
}

extern "C" UINT MsiSetPropertyW(MSIHANDLE hInstall, LPCWSTR szName, LPCWSTR szValue) {
  standin::InjectedFault("MsiSetPropertyW");
  auto session = InstallerObjectAs<Session>(hInstall);
  if (!session) return ERROR_INVALID_HANDLE;
  if (szName == nullptr) return ERROR_INVALID_PARAMETER;
  if (*szName == L'\0' || session->Deferred()) return ERROR_FUNCTION_FAILED;
  session->WriteProperty(szName, szValue == nullptr ? L"" : szValue);
  return ERROR_SUCCESS;
}

extern "C" MSIHANDLE MsiCreateRecord(UINT cParams) {
  standin::InjectedFault("MsiCreateRecord");
  if (cParams > std::numeric_limits<std::uint16_t>::max()) return 0;
  return standin::AddInstallerObject(std::make_shared<standin::Record>(cParams));
}

extern "C" UINT MsiRecordSetStringW(MSIHANDLE hRecord, UINT iField, LPCWSTR szValue) {
  standin::InjectedFault("MsiRecordSetStringW");
  auto record = InstallerObjectAs<standin::Record>(hRecord);
  if (!record) return ERROR_INVALID_HANDLE;
  if (iField > record->FieldCount()) return ERROR_INVALID_PARAMETER;
  auto& field = record->fields[iField];
  if (szValue == nullptr || *szValue == L'\0') {
    field = {};
  } else {
    field = {standin::RecordField::Kind::String, szValue};
  }
  return ERROR_SUCCESS;
}

extern "C" UINT MsiRecordSetInteger(MSIHANDLE hRecord, UINT iField, int iValue) {
  auto record = InstallerObjectAs<standin::Record>(hRecord);
  if (!record) return ERROR_INVALID_HANDLE;
  if (iField > record->FieldCount()) return ERROR_INVALID_PARAMETER;
  record->fields[iField] = {standin::RecordField::Kind::Integer, std::to_wstring(iValue)};
  return ERROR_SUCCESS;
}

extern "C" UINT MsiOpenProductW(LPCWSTR szProduct, MSIHANDLE* phProduct) {
  standin::InjectedFault("MsiOpenProductW");
  if (szProduct == nullptr || phProduct == nullptr) return ERROR_INVALID_PARAMETER;
  if (standin::TheMachine().failInstallerCalls) return ERROR_INVALID_HANDLE;
  const auto& products = standin::InstalledProducts();
  if (products.find(szProduct) == products.end()) return ERROR_UNKNOWN_PRODUCT;
  *phProduct = standin::AddInstallerObject(std::make_shared<standin::ProductHandle>(standin::ProductHandle{szProduct}));
  return ERROR_SUCCESS;
}

extern "C" UINT MsiGetProductPropertyW(MSIHANDLE hProduct, LPCWSTR szProperty, LPWSTR lpValueBuf,
                                       DWORD* pcchValueBuf) {
  standin::InjectedFault("MsiGetProductPropertyW");
  auto product = InstallerObjectAs<standin::ProductHandle>(hProduct);
  if (!product) return ERROR_INVALID_HANDLE;
  if (szProperty == nullptr) return ERROR_INVALID_PARAMETER;
  const auto& products = standin::InstalledProducts();
  auto installed = products.find(product->productCode);
  if (installed == products.end()) return ERROR_UNKNOWN_PRODUCT;
  auto value = installed->second.find(szProperty);
  return standin::CopyToCallerBuffer(value == installed->second.end() ? L"" : value->second, lpValueBuf,
                                     pcchValueBuf);
}

extern "C" UINT MsiCloseHandle(MSIHANDLE hAny) {
  standin::InjectedFault("MsiCloseHandle");
  if (hAny == 0) return ERROR_SUCCESS;
  return standin::RemoveInstallerObject(hAny) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
