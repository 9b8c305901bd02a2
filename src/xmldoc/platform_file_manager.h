// The XML library reads documents and their external entities and writes serialised documents
// through its file manager. Ours reaches files only through the Windows file API of
// src/platform/win32.h, so that the library's files are the installer's files in both builds:
// Windows paths, the read-only attribute and share modes mean the same for XML as for the rest.
#pragma once

namespace xmldoc {

// Puts the platform file manager in the XML library's place. Call after each successful
// XMLPlatformUtils::Initialize; the library deletes it again at its final Terminate.
void UsePlatformFileManager();

}  // namespace xmldoc
