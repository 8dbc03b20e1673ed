#include "controls/skindroptree.h"

#include "controls/skinpaint.h"
#include "skindesc/skinvalues.h"

IMPLEMENT_DYNAMIC(CSkinDropTree, CSkinDropBase)

namespace {

// The label box is the text's height plus 4.
constexpr int kLabelMargin = 4;
// WS_BORDER, TVS_HASBUTTONS, TVS_HASLINES, TVS_LINESATROOT, TVS_DISABLEDRAGDROP,
// TVS_SHOWSELALWAYS, TVS_NOTOOLTIPS; hidden until it opens.
constexpr DWORD kTreeStyle = 0x008000B7;

} // namespace

CSkinDropTree::CSkinDropTree()
    : CSkinDropBase(kLabelMargin), m_pTree(std::make_unique<CDropTreeCtrl>()) {}

CSkinDropTree::~CSkinDropTree() {
    Unload();
    m_pTree->SetDropTree(nullptr); // its destruction closes nothing of ours
    m_pTree.reset();
}

bool CSkinDropTree::Create(CWnd* parent, const CString& section, UINT id,
                           CSkinRepository* repository, DWORD dropWidth, DWORD dropHeight) {
    bool made = CSkinObject::Create(parent, section, id, repository);
    SetDropSize(dropWidth, dropHeight);
    if (!made) return false;
    CWnd* application = GetApplicationWnd();
    if (!application) return false;
    made = m_pTree->Create(kTreeStyle, CRect(0, 0, LONG(dropWidth), LONG(dropHeight)), application,
                           CDropTreeCtrl::kCloseCommand);
    m_pTree->SetDropTree(this);
    if (TreeExists())
        ::SendMessage(m_pTree->m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL,
                      LPARAM(m_imageList.m_hImageList));
    return made;
}

void CSkinDropTree::Unload() {
    CSkinDropBase::Unload();
    if (TreeExists()) ::SendMessage(m_pTree->m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    m_imageList.DeleteImageList();
}

// The icons: square images as tall as the strip, the transparent colour masked out.
void CSkinDropTree::ReadPopup(const CAttributeIndex& attributes) {
    CString name;
    DWORD transparent = 0;
    GetAttributeString(attributes, u"icons_image", name);
    GetAttributeDWord(attributes, u"icons_transcolor", transparent);
    if (HBITMAP strip = m_pRepository->GetBitmap(m_strSection, name, true)) {
        const int side = BitmapSize(strip).cy;
        CBitmap bitmap; // the repository's: lent to the list for the copy, never deleted here
        bitmap.Attach(strip);
        if (m_imageList.Create(side, side, ILC_MASK, 0, 1)) m_imageList.Add(&bitmap, transparent);
        bitmap.Detach();
    }
    if (TreeExists())
        ::SendMessage(m_pTree->m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL,
                      LPARAM(m_imageList.m_hImageList));
}

// ---- Labels and placement ---------------------------------------------------------------------

void CSkinDropTree::SetLabel(const CString& text) {
    CSkinDropBase::SetLabel(text);
    if (!m_bDropped && m_hWnd) Invalidate(TRUE);
}

void CSkinDropTree::SetDropLabel(const CString& text) {
    CSkinDropBase::SetDropLabel(text);
    if (m_bDropped && m_hWnd) Invalidate(TRUE);
}

void CSkinDropTree::SetDropSize(DWORD width, DWORD height) {
    m_dwDropWidth = width;
    m_dwDropHeight = height;
}

CRect CSkinDropTree::DropRect() const {
    CRect w, box = LabelBox();
    GetWindowRect(&w);
    if (TreeExists()) ::ScreenToClient(::GetParent(m_pTree->m_hWnd), &w.TopLeft());
    LONG width = LONG(m_dwDropWidth), height = LONG(m_dwDropHeight);
    LONG y = m_bDropDown ? w.top + box.bottom : w.top + box.top - height;
    LONG x = m_bDropRight ? w.left + box.left : w.left + box.right - width;
    return CRect(x, y, x + width, y + height);
}

// ---- The popup --------------------------------------------------------------------------------

void CSkinDropTree::DropDown(bool open) {
    if (!open) {
        if (!TreeExists() || !m_pTree->IsWindowVisible()) return;
        m_pTree->m_hHitItem = nullptr;
        m_pTree->ShowWindow(SW_HIDE);
        m_pTree->Close();
        return;
    }
    if (!TreeExists() || !GetApplicationWnd() || m_pTree->GetCount() == 0) return;
    CRect drop = DropRect();
    m_pTree->m_hHitItem = nullptr; // a fresh popup has no choice yet
    m_bDropped = true;
    Invalidate(TRUE);
    ::SetWindowPos(m_pTree->m_hWnd, HWND_TOPMOST, drop.left, drop.top, 0, 0, SWP_NOSIZE);
    m_pTree->ShowWindow(SW_SHOW);
    m_pTree->BringWindowToTop();
    m_pTree->SetFocus();
    m_pTree->SetCapture();
}

void CSkinDropTree::SelectItem(const CString& caption) {
    for (HTREEITEM item = m_pTree->FindNextItem(nullptr); item;
         item = m_pTree->FindNextItem(item)) {
        CString text = m_pTree->GetItemText(item);
        if (text.CompareNoCase(caption) != 0) continue;
        m_pTree->SelectItem(item);
        m_strSelectedCaption = text;
        m_dwSelectedData = DWORD(m_pTree->GetItemData(item));
        DropDown(false);
        SetLabel(text);
        return;
    }
}

// Every close of the tree posts the close command; a tapped item is the choice.
BOOL CSkinDropTree::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == CDropTreeCtrl::kCloseCommand) {
        if (HTREEITEM item = m_pTree->m_hHitItem) {
            m_strSelectedCaption = m_pTree->GetItemText(item);
            m_dwSelectedData = DWORD(m_pTree->GetItemData(item));
            SendCommand(this);
        } else {
            m_dwSelectedData = 0;
        }
        m_bDropped = false;
        Invalidate(TRUE);
        UpdateWindow();
    }
    return CSkinDropBase::OnCommand(wParam, lParam);
}
