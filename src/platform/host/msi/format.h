// Windows Installer formatted text, as MsiFormatRecordW expands it.
#pragma once

#include <string>

#include "msi/record.h"
#include "msi/session.h"

namespace standin {

// The expansion of the record's field 0 (or, when it is null or empty, the listing of its fields
// "1: value 2: value "). The result may hold NUL characters (from [~]).
std::wstring FormatRecord(const Record& record, const Session& session);

}  // namespace standin
