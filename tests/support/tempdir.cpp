#include "support/tempdir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skinkit-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_host = pattern;
    m_path = CString::FromUtf8(m_host);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_host, ec);
}

static std::string Host(const TempDir& dir, const CString& relative) {
    CString r = relative;
    r.Replace(u'\\', u'/');
    return dir.HostPath() + "/" + r.ToUtf8();
}

void TempDir::WriteFile(const CString& relative, const std::vector<BYTE>& bytes) const {
    std::string path = Host(*this, relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void TempDir::WriteFile(const CString& relative, const std::string& bytes) const {
    WriteFile(relative, std::vector<BYTE>(bytes.begin(), bytes.end()));
}

std::vector<BYTE> TempDir::ReadFile(const CString& relative) const {
    std::ifstream in(Host(*this, relative), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(const CString& relative) const {
    return std::filesystem::exists(Host(*this, relative));
}

void TempDir::MakeFolder(const CString& relative) const {
    std::filesystem::create_directories(Host(*this, relative));
}

std::vector<std::string> TempDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_host))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
