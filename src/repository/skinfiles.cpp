#include "repository/skinfiles.h"

bool IsFolderPath(const CString& path) {
    CString copy = path;
    if (!copy.IsEmpty() && copy[copy.GetLength() - 1] == u'\\') copy.Delete(copy.GetLength() - 1);
    CString last = copy.Mid(copy.ReverseFind(u'\\') + 1);
    if (last == u"." || last == u"..") return false;
    DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFilePath(const CString& path) {
    DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool OpenFileForReading(const CString& path, CFile& file) {
    if (!IsFilePath(path)) return false;
    return file.Open(path, CFile::modeRead | CFile::shareDenyWrite) != FALSE;
}
