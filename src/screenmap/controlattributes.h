// What each control type of a screen map reads from its component: the attributes, the value
// type each must have, what a missing one gives, what it means, and for bitmaps how their
// frames lie. The controls' own headers are the source; this table serves the checks of skin
// tools and the authoring guide.
#pragma once

#include "screenmap/screenmap.h"

#include <vector>

enum class AttributeKind { Bool, Number, Choice, Color, Rect, Point, String, File };

struct ControlAttribute {
    const char* id;
    AttributeKind kind;
    const char* missing; // what the control reads when the attribute is left out
    const char* meaning;
    // For files: frames side by side in the bitmap (frame width = width / frames); 0 for a
    // plain bitmap, kFramesFromCount when "image_count" gives them, kSquareFrames for icons as
    // wide as the bitmap is tall.
    int frames = 0;
};

inline constexpr int kFramesFromCount = -1;
inline constexpr int kSquareFrames = -2;

// The attributes a control type reads, in the order its Update reads them.
const std::vector<ControlAttribute>& ControlAttributes(MapControl type);
// The attribute of that id (letter case ignored); null when the type does not read it.
const ControlAttribute* FindControlAttribute(MapControl type, const CString& id);
// The type name a skin gives such a value ("bool", "numeric", "choice", "color", "rect",
// "point", "string", "file"), and whether a declared type is one the control reads.
const char* AttributeKindName(AttributeKind kind);
bool AcceptsType(AttributeKind kind, const CString& type);
