// Skin packages for benchmarks, made with the library's own writers.
#pragma once

#include "platform/base/afx.h"
#include "skindesc/skinmodel.h"

#include <string>
#include <utility>
#include <vector>

// A 24-bit BMP file with a soft pattern, as skin art tends to be.
std::vector<BYTE> BenchBitmap(int width, int height, int seed);

// New records appended to their owners' lists (which then own them).
tagSECTION& AddSection(tagSKIN& skin, const CString& id);
tagCOMPONENT& AddComponent(tagSECTION& section, const CString& id, const CString& type);
void AddAttribute(tagCOMPONENT& component, const CString& id, const CString& type,
                  const CString& value);

// A package as the builder lays it out: ".index", ".xml" in the record form, then the files.
bool WriteBenchPackage(const CString& path, const tagSKIN& skin,
                       const std::vector<std::pair<CString, std::vector<BYTE>>>& files);

// A temporary folder for the run, removed with everything in it.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    CString Path() const { return CString::FromUtf8(m_host); }

private:
    std::string m_host;
};
