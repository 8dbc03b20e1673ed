// A fresh folder per test, removed with everything in it when the test ends.
#pragma once

#include "platform/base/afx.h"

#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the device sees it (host path, no trailing separator).
    const CString& Path() const { return m_path; }
    // Path() + "\" + relative, in the library's backslash form.
    CString operator/(const CString& relative) const { return m_path + u"\\" + relative; }
    const std::string& HostPath() const { return m_host; }

    // Host-side helpers for building inputs.
    void WriteFile(const CString& relative, const std::vector<BYTE>& bytes) const;
    void WriteFile(const CString& relative, const std::string& bytes) const;
    std::vector<BYTE> ReadFile(const CString& relative) const;
    bool Exists(const CString& relative) const;
    void MakeFolder(const CString& relative) const;
    // The names of the files and folders directly inside, sorted (to see that nothing partial
    // is left behind).
    std::vector<std::string> Names() const;

private:
    CString m_path;
    std::string m_host;
};
