// File-system tests shared by the repository and the description reader.
#pragma once

#include "platform/base/afx.h"

// True when path names an existing folder whose last component is not "." or "..".
// One trailing backslash is allowed.
bool IsFolderPath(const CString& path);
// True when path names something that exists and is not a folder.
bool IsFilePath(const CString& path);
// Opens an existing file for reading, denying others write access.
bool OpenFileForReading(const CString& path, CFile& file);
