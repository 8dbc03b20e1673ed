#include "controlattributes.h"

#include "skindesc/skinvalues.h"

namespace {

using K = AttributeKind;

// Every control shows itself by "visible"; a missing one hides it.
const ControlAttribute kVisible{"visible", K::Bool, "false (hidden)", "shows the control"};

// The caption font, with the weight "font_bold" selects stated by the control.
std::vector<ControlAttribute> Font(const char* bold) {
    return {{"font_name", K::String, "\"\" (the system's face)", "font face, found by fontconfig"},
            {"font_size", K::Number, "0 (the system's size)", "font height in pixels"},
            {"font_bold", K::Bool, "false", bold},
            {"font_italic", K::Bool, "false", "italic font"}};
}

std::vector<ControlAttribute> Join(std::initializer_list<std::vector<ControlAttribute>> parts) {
    std::vector<ControlAttribute> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<ControlAttribute>& Window() {
    static const std::vector<ControlAttribute> a = {
        kVisible,
        {"image_display", K::Bool, "false", "draws the background image over the colour"},
        {"image_type", K::Choice, "0", "0 natural size at the top left, 1 stretched, 2 tiled"},
        {"image_filename", K::File, "none", "background image"},
        {"background_color", K::Color, "0,0,0", "colour under (or instead of) the image"},
        {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}};
    return a;
}

const std::vector<ControlAttribute>& Button() {
    static const std::vector<ControlAttribute> a =
        Join({{kVisible,
               {"image_filename", K::File, "none",
                "strip: normal, pressed, disabled, released outside", 4}},
              Font("true gives weight 400, false 700"),
              {{"font_halign", K::Choice, "0", "caption: 0 left, 1 centre, 2 right"},
               {"font_valign", K::Choice, "0", "caption: 0 top, 1 centre, 2 bottom"},
               {"font_rect", K::Rect, "0,0,0,0",
                "caption area in the button; a right or bottom below 0 counts from the far edge"},
               {"font_color", K::Color, "0,0,0", "caption colour"},
               {"text", K::String, "\"\"", "caption"},
               {"transparent", K::Bool, "false", "leaves out pixels of the transparent colour"},
               {"region", K::Bool, "false", "with transparent: shapes the window to frame 0"},
               {"transparent_color", K::Color, "0,0,0", "colour left out"},
               {"toggle", K::Bool, "false", "latches down on a click, up on the next"},
               {"position", K::Point, "0,0", "top left in the parent's client area"}}});
    return a;
}

const std::vector<ControlAttribute>& CheckBox() {
    static const std::vector<ControlAttribute> a = Join(
        {{kVisible,
          {"image_filename", K::File, "none",
           "strip: unchecked, unchecked disabled, checked, checked disabled", 4}},
         Font("true gives weight 400, false 700"),
         {{"font_rect", K::Rect, "0,0,0,0",
           "text area right of the box; a right or bottom of 0 or less counts from the far edge"},
          {"font_color", K::Color, "0,0,0", "text colour"},
          {"text", K::String, "\"\"", "text beside the box"},
          {"transparent_color", K::Color, "0,0,0", "colour of the strip left out"},
          {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}}});
    return a;
}

const std::vector<ControlAttribute>& Static() {
    static const std::vector<ControlAttribute> a = Join(
        {{kVisible},
         Font("true gives weight 700, false 400"),
         {{"font_color", K::Color, "0,0,0", "text colour"},
          {"wordwrap", K::Bool, "false", "breaks lines at the control's width"},
          {"text", K::String, "\"\"", "text; \\n (backslash, n) breaks the line"},
          {"transparent", K::Bool, "false", "draws over what lies behind it"},
          {"background_color", K::Color, "0,0,0", "colour behind the text otherwise"},
          {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}}});
    return a;
}

const std::vector<ControlAttribute>& Image() {
    static const std::vector<ControlAttribute> a = {
        kVisible,
        {"image_filename", K::File, "none", "strip of image_count frames", kFramesFromCount},
        {"image_count", K::Number, "0 (the whole bitmap is one frame)", "frames in the strip"},
        {"transparent", K::Bool, "false", "leaves out pixels of the transparent colour"},
        {"transparent_color", K::Color, "0,0,0", "colour left out"},
        {"position", K::Point, "0,0", "top left in the parent's client area"}};
    return a;
}

const std::vector<ControlAttribute>& Slider() {
    static const std::vector<ControlAttribute> a = {
        kVisible,
        {"bkgnd_display", K::Bool, "false", "draws the track bitmap"},
        {"bkgnd_filename", K::File, "none", "track bitmap; gives the control its size"},
        {"bkgnd_transparent", K::Bool, "false", "leaves out the track's transparent colour"},
        {"bkgnd_transparent_color", K::Color, "0,0,0", "track colour left out"},
        {"thumb_filename", K::File, "none", "thumb strip: normal, dragged", 2},
        {"thumb_transparent_color", K::Color, "0,0,0", "thumb colour left out"},
        {"thumb_margin", K::Number, "0", "pixels at each end the thumb does not enter"},
        {"tick_freq_type", K::Number, "0", "1: tick_freq in pixels; else a percentage"},
        {"tick_freq", K::Number, "0", "step of a tap beside the thumb (percentages held to 5..20)"},
        {"position", K::Point, "0,0", "top left in the parent's client area"}};
    return a;
}

const std::vector<ControlAttribute>& ScrollBar() {
    static const std::vector<ControlAttribute> a = {
        {"image_arrowless", K::File, "none", "up arrow strip: normal, pressed, disabled", 3},
        {"image_arrowmore", K::File, "none", "down arrow strip: normal, pressed, disabled", 3},
        {"image_shaft", K::File, "none", "shaft, stretched; its width is the bar's"},
        {"image_elevator", K::File, "none", "elevator: 5 rows top, 5 stretched, 5 bottom"}};
    return a;
}

const std::vector<ControlAttribute>& ScrollList() {
    static const std::vector<ControlAttribute> a = Join(
        {{kVisible,
          {"scrollbar_visible", K::Bool, "false", "shows the skinned bar"},
          {"background_color", K::Color, "0,0,0", "list colour (kept for the application)"},
          {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}},
         Font("true gives weight 400, false 700"),
         {{"font_color", K::Color, "0,0,0", "row text colour (kept for the application)"}}});
    return a;
}

std::vector<ControlAttribute> DropBase() {
    return Join({{kVisible,
                  {"dropdown", K::Bool, "false", "true: label at the top, popup below"},
                  {"dropright", K::Bool, "false", "true: label at the left, popup to the right"}},
                 Font("true gives weight 700, false 400"),
                 {{"font_color", K::Color, "0,0,0", "label colour"},
                  {"transparent", K::Bool, "false", "draws over what lies behind it"},
                  {"background_color", K::Color, "0,0,0", "colour around the label otherwise"}}});
}

const std::vector<ControlAttribute>& DropList() {
    static const std::vector<ControlAttribute> a = Join(
        {DropBase(),
         {{"mfont_name", K::String, "\"\"", "popup font face"},
          {"mfont_size", K::Number, "0", "popup font height in pixels"},
          {"mfont_bold", K::Bool, "false", "true gives weight 400, false 700"},
          {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}}});
    return a;
}

const std::vector<ControlAttribute>& DropTree() {
    static const std::vector<ControlAttribute> a = Join(
        {DropBase(),
         {{"icons_image", K::File, "none", "tree icons: square, as tall as the strip",
           kSquareFrames},
          {"icons_transcolor", K::Color, "0,0,0", "icon colour left out"},
          {"position", K::Rect, "0,0,0,0", "left,top,right,bottom in the parent's client area"}}});
    return a;
}

// The demo's options popup reads these itself (an application's menu reads what it chooses).
const std::vector<ControlAttribute>& Menu() {
    static const std::vector<ControlAttribute> a = {
        {"image_filename", K::File, "none", "icon strip: square icons, as tall as the strip",
         kSquareFrames},
        {"transparent_color", K::Color, "0,0,0", "icon colour left out"},
        {"font_name", K::String, "\"\"", "font face"},
        {"font_size", K::Number, "0", "font height in pixels"},
        {"background_color", K::Color, "system colour", "popup colour"},
        {"text_color", K::Color, "system colour", "item text"},
        {"selected_text_color", K::Color, "system colour", "text of the highlighted item"},
        {"selection_color", K::Color, "system colour", "highlight"},
        {"selection_border_color", K::Color, "system colour", "frame round the highlight"},
        {"edge_color", K::Color, "system colour", "popup border"}};
    return a;
}

} // namespace

const std::vector<ControlAttribute>& ControlAttributes(MapControl type) {
    switch (type) {
    case MapControl::Window:
        return Window();
    case MapControl::Button:
        return Button();
    case MapControl::CheckBox:
    case MapControl::Radio:
        return CheckBox();
    case MapControl::Static:
        return Static();
    case MapControl::Image:
        return Image();
    case MapControl::Slider:
        return Slider();
    case MapControl::ScrollBar:
        return ScrollBar();
    case MapControl::ScrollList:
        return ScrollList();
    case MapControl::DropList:
        return DropList();
    case MapControl::DropTree:
        return DropTree();
    case MapControl::Menu:
        break;
    }
    return Menu();
}

const ControlAttribute* FindControlAttribute(MapControl type, const CString& id) {
    for (const ControlAttribute& a : ControlAttributes(type))
        if (id.CompareNoCase(CString::FromUtf8(a.id)) == 0) return &a;
    return nullptr;
}

const char* AttributeKindName(AttributeKind kind) {
    switch (kind) {
    case K::Bool:
        return "bool";
    case K::Number:
        return "numeric";
    case K::Choice:
        return "choice";
    case K::Color:
        return "color";
    case K::Rect:
        return "rect";
    case K::Point:
        return "point";
    case K::String:
        return "string";
    case K::File:
        return "file";
    }
    return "?";
}

bool AcceptsType(AttributeKind kind, const CString& type) {
    switch (kind) {
    case K::Bool:
        return IsBoolType(type);
    case K::Number: // a choice is a number too
    case K::Choice:
        return IsNumericType(type) || IsChoiceType(type);
    case K::Color:
        return IsColorType(type);
    case K::Rect:
        return IsRectType(type);
    case K::Point:
        return IsPointType(type);
    case K::String:
        return type.CompareNoCase(u"string") == 0;
    case K::File:
        return IsFileType(type);
    }
    return false;
}
