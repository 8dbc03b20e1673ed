// A skin checked against a screen map: components the application needs and the skin lacks,
// attributes the bound control type does not read, values of the wrong type or not in their
// type's form, frame strips whose width does not divide by their frames, fonts the system
// cannot provide, and component ids given twice in one section (only the first is ever found).
//
// Each problem is one line. Where the description's text is known (a text-form definition or
// description), every problem carries the line of the element concerned.
#pragma once

#include "screenmap/screenmap.h"
#include "skindesc/skinmodel.h"

#include <functional>
#include <string>
#include <vector>

// Where each section, component and attribute of a text-form description stands, by the order
// in which they appear (which is the model's order). Line 0 means unknown.
class DescriptionLines {
public:
    // Reads UTF-16LE (with or without its mark) or UTF-8 text; empty for the record form.
    void Scan(const std::vector<uint8_t>& bytes);
    int Component(int section, int component) const;
    int Attribute(int section, int component, int attribute) const;

private:
    struct ComponentLines {
        int line = 0;
        std::vector<int> attributes;
    };
    std::vector<std::vector<ComponentLines>> m_sections;
};

struct MapCheck {
    const tagSKIN* skin = nullptr;
    const CScreenMap* map = nullptr; // null: only what needs no map (ids twice, value forms)
    const DescriptionLines* lines = nullptr;
    // The size of a bitmap the section names; false when it cannot be had (reported elsewhere).
    std::function<bool(const CString& section, const CString& file, SIZE& size)> imageSize;
    // One problem: the line (0 when unknown) and what is wrong.
    std::function<void(int line, const std::string& what)> report;
};

void CheckSkinAgainstMap(const MapCheck& check);

// Whether fontconfig has a face of that family (letter case ignored), not a substitute.
bool FontAvailable(const CString& face);
