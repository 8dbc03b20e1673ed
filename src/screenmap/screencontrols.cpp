#include "screencontrols.h"

#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skindroplist.h"
#include "controls/skindroptree.h"
#include "controls/skinimage.h"
#include "controls/skinradiobutton.h"
#include "controls/skinscrolllist.h"
#include "controls/skinslider.h"
#include "controls/skinstatic.h"
#include "platform/base/wcsrt.h"

#include <algorithm>

namespace {

// A drop tree's tree when the map does not size it.
constexpr SIZE kDefaultPopup{200, 160};
// Sample list items start at this command id.
constexpr UINT kFirstSampleItem = 0x8000;

template <class T>
std::unique_ptr<CSkinObject> Plain(const MapEntry& e, CWnd* parent, CSkinRepository* repository) {
    auto control = std::make_unique<T>();
    if (!control->Create(parent, e.section, e.id, repository)) return nullptr;
    return control;
}

} // namespace

// Sample rows in one column as wide as the container makes the list.
class CSampleList : public CSkinListCtrl {
public:
    void SetListWidth(int width) override { SetColumnWidth(0, width); }
};

CScreenControls::~CScreenControls() {
    while (!m_controls.empty()) // last made first: a scroll list before what it lays out
        m_controls.pop_back();
    m_pWindow.reset();
}

bool CScreenControls::Create(const CScreenMap& map, const CString& section, CWnd* host,
                             CSkinRepository* repository, std::string& error) {
    const MapEntry* window = map.Window(section);
    if (!window) return error = map.Name() + ": no window for section " + section.ToUtf8(), false;
    m_pWindow = std::make_unique<CSkinWindow>();
    if (!m_pWindow->Create(host, window->section, window->id, repository)) {
        m_pWindow.reset();
        return error = map.Name() + ":" + std::to_string(window->line) + ": cannot make the window",
               false;
    }
    m_list.push_back({window, m_pWindow.get()});
    for (const MapEntry& e : map.Entries()) {
        if (e.section.CompareNoCase(section) != 0 || &e == window || e.type == MapControl::Menu ||
            map.IsOwnedBar(section, e.id))
            continue;
        std::unique_ptr<CSkinObject> control = Make(e, m_pWindow.get(), repository);
        if (!control)
            return error = map.Name() + ":" + std::to_string(e.line) + ": cannot make " +
                           MapControlName(e.type) + " " + std::to_string(e.id),
                   false;
        m_list.push_back({&e, control.get()});
        m_controls.push_back(std::move(control));
    }
    return true;
}

std::unique_ptr<CSkinObject> CScreenControls::Make(const MapEntry& e, CWnd* parent,
                                                   CSkinRepository* repository) {
    switch (e.type) {
    case MapControl::Button:
        return Plain<CSkinButton>(e, parent, repository);
    case MapControl::CheckBox:
        return Plain<CSkinCheckBox>(e, parent, repository);
    case MapControl::Static:
        return Plain<CSkinStatic>(e, parent, repository);
    case MapControl::Image:
        return Plain<CSkinImage>(e, parent, repository);
    case MapControl::Slider:
        return Plain<CSkinSlider>(e, parent, repository);
    case MapControl::DropList:
        return Plain<CSkinDropList>(e, parent, repository);
    case MapControl::Radio: {
        auto radio = std::make_unique<CSkinRadioButton>();
        if (!radio->Create(parent, e.section, e.id, repository, Group(e.group))) return nullptr;
        return radio;
    }
    case MapControl::ScrollList: {
        auto list = std::make_unique<CSkinScrollList>();
        if (!list->Create(parent, e.section, e.id, e.bar, repository)) return nullptr;
        return list;
    }
    case MapControl::DropTree: {
        SIZE size = e.popup.cx > 0 ? e.popup : kDefaultPopup;
        auto tree = std::make_unique<CSkinDropTree>();
        if (!tree->Create(parent, e.section, e.id, repository, size.cx, size.cy)) return nullptr;
        return tree;
    }
    case MapControl::ScrollBar: { // a bar of its own, scrolling nothing
        auto bar = std::make_unique<CSkinScrollBar>();
        if (!bar->Create(parent, true, e.section, e.id, repository)) return nullptr;
        return bar;
    }
    case MapControl::Window:
    case MapControl::Menu:
        break;
    }
    return nullptr;
}

CSkinObject* CScreenControls::Find(UINT id) const {
    for (const Control& c : m_list)
        if (c.entry->id == id) return c.control;
    return nullptr;
}

CSkinRadioGroup* CScreenControls::Group(const CString& name) {
    CString folded = name;
    folded.MakeLower();
    auto& group = m_groups[folded.Str()];
    if (!group) group = std::make_unique<CSkinRadioGroup>();
    return group.get();
}

void CScreenControls::ApplySamples() {
    for (const Control& c : m_list) {
        const MapEntry& e = *c.entry;
        UINT item = kFirstSampleItem;
        if (auto* button = dynamic_cast<CSkinButton*>(c.control); button && !e.caption.IsEmpty())
            button->SetText(e.caption);
        else if (auto* box = dynamic_cast<CSkinCheckBox*>(c.control); box && !e.caption.IsEmpty())
            box->SetText(e.caption);
        else if (auto* text = dynamic_cast<CSkinStatic*>(c.control); text && !e.caption.IsEmpty())
            text->SetText(e.caption);
        else if (auto* slider = dynamic_cast<CSkinSlider*>(c.control);
                 slider && !e.caption.IsEmpty()) {
            // A slider's sample is its position on a 0..100 scale: "40" or "40%".
            slider->SetRange(0, 100);
            slider->SetPos(DWORD(std::clamp(_wtoi(e.caption), 0, 100)));
        } else if (auto* list = dynamic_cast<CSkinDropList*>(c.control)) {
            list->Clear();
            for (const CString& i : e.items)
                list->Append(item++, i);
            if (!e.items.empty()) list->Select(kFirstSampleItem, MF_BYCOMMAND);
        } else if (auto* tree = dynamic_cast<CSkinDropTree*>(c.control)) {
            for (const CString& i : e.items)
                tree->GetTree()->InsertItem(i, 0, 1);
            if (!e.items.empty()) tree->SelectItem(e.items.front());
        } else if (auto* scroll = dynamic_cast<CSkinScrollList*>(c.control))
            AttachSampleList(*scroll, e);
        if (auto* drop = dynamic_cast<CSkinDropBase*>(c.control); drop && !e.caption.IsEmpty())
            drop->SetLabel(e.caption);
    }
}

// A plain list of the sample items in the container's colours.
void CScreenControls::AttachSampleList(CSkinScrollList& scroll, const MapEntry& e) {
    auto list = std::make_unique<CSampleList>();
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER;
    if (!list->Create(style, CRect(0, 0, 0, 0), m_pWindow.get(), e.id + 0x4000)) return;
    list->InsertColumn(0, u"", LVCFMT_LEFT, 100);
    for (size_t i = 0; i < e.items.size(); ++i)
        list->InsertItem(int(i), e.items[i]);
    list->SetBkColor(scroll.GetBackgroundColor());
    list->SetTextColor(scroll.GetFontColor());
    scroll.SetListCtrl(list.get());
    list->OnListChanged();
    m_sampleLists.push_back(std::move(list));
}
