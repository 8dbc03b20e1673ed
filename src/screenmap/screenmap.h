// CScreenMap: which control type an application binds to each component (section and id) of a
// skin, read from a small text file, with sample captions and items for previews.
//
//   # comment (to the end of the line)
//   SECTION  ID  TYPE  [CAPTION] [OPTION=VALUE]...
//   main     1   window
//   main     10  button  "Play"
//   settings 4   radio   "In order"  group=mode
//   settings 11  droplist items="Ocean|Paper"
//   settings 12  droptree popup=208x180 items="Artists|Albums|Genres"
//   playlist 3   scrolllist bar=4 items="One|Two|Three"
//   playlist 4   scrollbar
//
// A quoted value may hold blanks; \" and \\ stand for a quote and a backslash. A bare quoted
// word is the caption. Options: caption, items (separated by "|"), group (the radio group a
// radio button joins; one group per section unless named), bar (the id of the scroll bar a
// scroll list owns, which the map lists as a scrollbar of the same section), popup (WIDTHxHEIGHT
// of a drop tree's tree). A slider's caption is its sample position on a 0..100 scale. Every
// section has one window; the other controls sit on it.
//
// Section names compare without regard to letter case, as a skin's do. Parsing reports every
// line it cannot take as "NAME:LINE: what is wrong", and nothing of a map with errors is kept.
#pragma once

#include "platform/base/afx.h"

#include <string>
#include <string_view>
#include <vector>

enum class MapControl {
    Window,
    Button,
    CheckBox,
    Radio,
    Static,
    Image,
    Slider,
    ScrollBar,
    ScrollList,
    DropList,
    DropTree,
    Menu // read by the application itself (CSkinMenu); not a window
};

// The name a map uses for the type ("button"), and the reverse; false for an unknown name.
const char* MapControlName(MapControl type);
bool MapControlFromName(std::string_view name, MapControl& type);

struct MapEntry {
    CString section;
    UINT id = 0;
    MapControl type = MapControl::Static;
    CString caption;
    std::vector<CString> items;
    CString group; // radio buttons
    UINT bar = 0;  // scroll lists: the bar's component id
    SIZE popup{};  // drop trees: the tree's size (0 when the map leaves it out)
    int line = 0;  // where the map says it
};

class CScreenMap {
public:
    // Replaces the map by the one text holds; false with one line per problem in errors
    // (name is the file's name for messages), the map then empty.
    bool Parse(std::string_view text, const std::string& name, std::vector<std::string>& errors);
    // The same for a file.
    bool Load(const std::string& hostPath, std::vector<std::string>& errors);

    const std::vector<MapEntry>& Entries() const { return m_entries; }
    // Section names in the order they first appear.
    std::vector<CString> Sections() const;
    // The entry for a component; null when the map does not list it.
    const MapEntry* Find(const CString& section, UINT id) const;
    // The section's window entry; null when none.
    const MapEntry* Window(const CString& section) const;
    // Whether id is the bar of a scroll list of section (the list creates that bar itself).
    bool IsOwnedBar(const CString& section, UINT id) const;
    const std::string& Name() const { return m_name; }

private:
    std::vector<std::string> Validate() const;

    std::vector<MapEntry> m_entries;
    std::string m_name;
};
