#include "skindesc/elementscanner.h"

#include "skindesc/descreader.h"
#include "skindesc/unitsearch.h"

#include <algorithm>

namespace {
constexpr size_t npos = std::u16string::npos;
}

bool FindElement(CString& text, const CString& name, CString& content, CString* attributes) {
    CElementScanner scanner(text);
    if (!scanner.FindElement(name.View(), content, attributes)) return false;
    text = scanner.GetText();
    return true;
}

size_t CElementScanner::LiveFrom(size_t pos) const {
    auto it = m_removed.upper_bound(pos);
    if (it != m_removed.begin() && std::prev(it)->second > pos) return std::prev(it)->second;
    return pos;
}

void CElementScanner::Advance(Cursor& c) const {
    ++c.pos;
    if (c.next != m_removed.end() && c.pos == c.next->first) {
        c.pos = c.next->second;
        ++c.next;
    }
}

bool CElementScanner::Retreat(Cursor& c) const {
    if (c.next != m_removed.begin()) {
        auto prev = std::prev(c.next);
        if (prev->second == c.pos) {
            if (prev->first == 0) return false;
            c.pos = prev->first - 1;
            c.next = prev;
            return true;
        }
    }
    if (c.pos == 0) return false;
    --c.pos;
    return true;
}

size_t CElementScanner::Before(const Cursor& c) const {
    Cursor back = c;
    return Retreat(back) ? back.pos : npos;
}

bool CElementScanner::SeekChar(Cursor& c, WCHAR ch) const {
    while (c.pos < End()) {
        size_t runEnd = c.next == m_removed.end() ? End() : c.next->first;
        const WCHAR* base = m_text.data();
        const WCHAR* hit = FindUnit(base + c.pos, base + runEnd, ch);
        if (hit != base + runEnd) {
            c.pos = size_t(hit - base);
            return true;
        }
        if (c.next == m_removed.end()) break;
        c.pos = c.next->second;
        ++c.next;
    }
    c.pos = End();
    return false;
}

bool CElementScanner::Matches(Cursor& c, std::u16string_view s) const {
    for (WCHAR ch : s) {
        if (c.pos >= End() || m_text[c.pos] != ch) return false;
        Advance(c);
    }
    return true;
}

// "<" name, then a space, ">" or "/", and no "<" in front (a doubled "<" is an escape).
bool CElementScanner::CountingHit(const Cursor& lt, std::u16string_view name,
                                  Cursor& nameEnd) const {
    Cursor c = lt;
    Advance(c);
    if (!Matches(c, name) || c.pos >= End()) return false;
    WCHAR follow = m_text[c.pos];
    if (follow != u' ' && follow != u'>' && follow != u'/') return false;
    size_t before = Before(lt);
    if (before != npos && m_text[before] == u'<') return false;
    nameEnd = c;
    return true;
}

bool CElementScanner::FindHit(Cursor& lt, std::u16string_view name, Cursor& nameEnd) const {
    for (; SeekChar(lt, u'<'); Advance(lt))
        if (CountingHit(lt, name, nameEnd)) return true;
    return false;
}

// The first ">" that is neither followed nor preceded by another ">".
bool CElementScanner::StartTagEnd(Cursor c, Cursor& gt) const {
    for (; SeekChar(c, u'>'); Advance(c)) {
        Cursor next = c;
        Advance(next);
        if (next.pos < End() && m_text[next.pos] == u'>') continue;
        size_t before = Before(c);
        if (before != npos && m_text[before] == u'>') continue;
        gt = c;
        return true;
    }
    return false;
}

bool CElementScanner::ClosingTag(Cursor c, std::u16string_view name, Cursor& start,
                                 Cursor& after) const {
    for (; SeekChar(c, u'<'); Advance(c)) {
        Cursor m = c;
        Advance(m);
        if (!Matches(m, u"/") || !Matches(m, name) || !Matches(m, u">")) continue;
        size_t before = Before(c);
        if (before != npos && m_text[before] == u'<') continue;
        start = c;
        after = m;
        return true;
    }
    return false;
}

bool CElementScanner::Locate(std::u16string_view key, Element& element, CString* attributes) {
    if (attributes) attributes->Empty();
    Cursor lt = At(ResumePoint(key)), nameEnd{}, gt{};
    if (!FindHit(lt, key, nameEnd)) {
        ResumePoint(key) = End();
        return false;
    }
    ResumePoint(key) = lt.pos;
    if (!StartTagEnd(nameEnd, gt)) return false;
    Cursor after = gt;
    Advance(after);
    size_t slash = Before(gt);
    if (slash != npos && m_text[slash] == u'/') {
        if (attributes && gt.pos != nameEnd.pos) *attributes = Extract(nameEnd.pos, slash);
        element = {lt.pos, after.pos, after.pos, after.pos};
        return true;
    }
    // The start tag's attributes are given even when the closing tag is missing.
    if (attributes) *attributes = Extract(nameEnd.pos, gt.pos);
    Cursor close{}, closeEnd{};
    if (!ClosingTag(after, key, close, closeEnd)) return false;
    element = {lt.pos, closeEnd.pos, after.pos, close.pos};
    return true;
}

bool CElementScanner::FindElement(std::u16string_view key, CString& content, CString* attributes) {
    content.Empty();
    Element element{};
    if (!Locate(key, element, attributes)) return false;
    content = Extract(element.from, element.to);
    Remove(element.start, element.end);
    return true;
}

bool CElementScanner::FindElement(std::u16string_view key, CElementScanner& content,
                                  CString* attributes) {
    Element element{};
    bool found = Locate(key, element, attributes);
    if (found)
        content.Within(*this, element.from, element.to);
    else
        content.Within(*this, 0, 0);
    if (found) Remove(element.start, element.end);
    return found;
}

// from and to are live positions (or to is the end), so every removed span between them lies
// wholly inside.
void CElementScanner::Within(const CElementScanner& parent, size_t from, size_t to) {
    m_own.clear();
    m_text = parent.m_text.substr(from, to - from);
    m_removed.clear();
    for (auto it = parent.m_removed.lower_bound(from);
         it != parent.m_removed.end() && it->first < to; ++it)
        m_removed.emplace_hint(m_removed.end(), it->first - from, it->second - from);
    m_resume.clear();
}

CString CElementScanner::Extract(size_t from, size_t to) const {
    std::u16string out;
    auto it = m_removed.upper_bound(from);
    for (size_t p = from; p < to;) {
        size_t runEnd = std::min(to, it == m_removed.end() ? End() : it->first);
        out.append(m_text.substr(p, runEnd - p));
        if (runEnd >= to || it == m_removed.end()) break;
        p = it->second;
        ++it;
    }
    return CString(std::move(out));
}

CString CElementScanner::GetText() const {
    return Extract(LiveFrom(0), End());
}

// Removes the live span [from, to): from and to are live positions (or to is the end).
void CElementScanner::Remove(size_t from, size_t to) {
    auto it = m_removed.lower_bound(from);
    while (it != m_removed.end() && it->first < to)
        it = m_removed.erase(it);
    size_t first = from;
    if (it != m_removed.begin() && std::prev(it)->second == from) {
        first = std::prev(it)->first;
        m_removed.erase(std::prev(it));
    }
    m_removed.emplace(first, to);
    // Hits can change only where the removal joined the text; look again from a name's length
    // (plus its "<" and the character after it) in front of the join.
    Cursor join = At(to);
    for (auto& [name, resume] : m_resume) {
        Cursor back = join;
        for (size_t steps = name.size() + 1; steps > 0 && Retreat(back);)
            --steps;
        // back is the first remaining position when nothing remains in front of the join.
        if (resume >= first || back.pos < resume) resume = back.pos;
    }
}

size_t& CElementScanner::ResumePoint(std::u16string_view name) {
    for (auto& [known, resume] : m_resume)
        if (known == name) return resume;
    m_resume.emplace_back(std::u16string(name), LiveFrom(0));
    return m_resume.back().second;
}
