// CElementScanner: FindElement over one text without the cost of cutting every found element
// out of a string.
//
// The text stays as it was read; removed elements are kept as a sorted set of disjoint,
// non-adjacent removed spans. Every search reads the text as it would read after the removals
// (the "logical" text), so neighbour checks see characters that a removal brought together,
// such as a "<" meeting another "<" or a name completed across a removed span. Results are
// exactly those of FindElement on a string from which each element is cut out.
//
// An element's content can be scanned in place: a scanner made by the content-scanner
// FindElement reads its part of the parent's text, with the parent's removed spans there.
//
// Searches for a name resume where the last search for that name found nothing counting before.
// A removal can change hits only within the name's length in front of the place it joins, so
// each removal moves every resume point back to at most that far.
#pragma once

#include "platform/base/afx.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CElementScanner {
public:
    // An empty text, until Within gives the scanner a part of another one.
    CElementScanner() = default;
    // The scanner keeps its own copy of the text.
    explicit CElementScanner(const CString& text) : CElementScanner(text.Str()) {}
    explicit CElementScanner(std::u16string&& text) : m_own(std::move(text)), m_text(m_own) {}
    // The scanner reads text where it lies; the caller keeps it alive and unchanged.
    explicit CElementScanner(std::u16string_view text) : m_text(text) {}
    CElementScanner(const CElementScanner&) = delete;
    CElementScanner& operator=(const CElementScanner&) = delete;

    // As FindElement: the first complete element `name` of the remaining text; removes it.
    bool FindElement(std::u16string_view name, CString& content, CString* attributes);
    // The same with the content given as a scanner over this one's text rather than a copy of
    // it, so that nested elements are read without copying their parents; content must not
    // outlive this scanner. When nothing is found, content is left empty.
    bool FindElement(std::u16string_view name, CElementScanner& content, CString* attributes);
    // The text as it reads after the removals made so far.
    CString GetText() const;

private:
    using Spans = std::map<size_t, size_t>; // removed [first, second)
    struct Cursor {
        size_t pos;                 // a position not removed, or the end of the text
        Spans::const_iterator next; // the first removed span that starts after pos
    };

    size_t End() const { return m_text.size(); }
    size_t LiveFrom(size_t pos) const;
    Cursor At(size_t livePos) const { return {livePos, m_removed.upper_bound(livePos)}; }
    void Advance(Cursor& c) const;
    bool Retreat(Cursor& c) const;
    // The position of the character before c in the remaining text, or npos.
    size_t Before(const Cursor& c) const;
    bool SeekChar(Cursor& c, WCHAR ch) const;
    bool Matches(Cursor& c, std::u16string_view s) const;

    bool FindHit(Cursor& lt, std::u16string_view name, Cursor& nameEnd) const;
    bool CountingHit(const Cursor& lt, std::u16string_view name, Cursor& nameEnd) const;
    bool StartTagEnd(Cursor c, Cursor& gt) const;
    bool ClosingTag(Cursor c, std::u16string_view name, Cursor& start, Cursor& after) const;

    // The element's live spans: all of it [start, end) and its content [from, to) (empty for an
    // element that closes itself); nothing is removed yet.
    struct Element {
        size_t start, end, from, to;
    };
    bool Locate(std::u16string_view name, Element& element, CString* attributes);
    // Makes this scanner read the live span [from, to) of parent's text.
    void Within(const CElementScanner& parent, size_t from, size_t to);

    CString Extract(size_t from, size_t to) const;
    void Remove(size_t from, size_t to);
    size_t& ResumePoint(std::u16string_view name);

    std::u16string m_own; // the text, when the scanner keeps it
    std::u16string_view m_text;
    Spans m_removed;
    std::vector<std::pair<std::u16string, size_t>> m_resume;
};
