// The element-removal algorithm exactly as written, on a plain string from which every found
// element is cut out: the reference that CElementScanner is compared with (by the scanner tests
// and by the elements fuzz target).
#pragma once

#include <string>

struct ReferenceResult {
    bool ok = false;
    std::u16string content, attributes;
};

inline bool ReferenceCounts(const std::u16string& t, size_t hit, size_t nameEnd) {
    if (nameEnd >= t.size()) return false;
    char16_t f = t[nameEnd];
    return (f == u' ' || f == u'>' || f == u'/') && (hit == 0 || t[hit - 1] != u'<');
}

inline size_t ReferenceStartTagEnd(const std::u16string& t, size_t from) {
    for (size_t q = from; q < t.size(); ++q) {
        if (t[q] != u'>') continue;
        if (q + 1 < t.size() && t[q + 1] == u'>') continue;
        if (q > 0 && t[q - 1] == u'>') continue;
        return q;
    }
    return std::u16string::npos;
}

// The element-removal algorithm as written: search, then cut the element out of the string.
inline ReferenceResult ReferenceFind(std::u16string& t, const std::u16string& name) {
    ReferenceResult r;
    const std::u16string open = u"<" + name, close = u"</" + name + u">";
    size_t hit = t.find(open);
    while (hit != std::u16string::npos && !ReferenceCounts(t, hit, hit + open.size()))
        hit = t.find(open, hit + 1);
    if (hit == std::u16string::npos) return r;
    size_t nameEnd = hit + open.size(), gt = ReferenceStartTagEnd(t, nameEnd);
    if (gt == std::u16string::npos) return r;
    if (t[gt - 1] == u'/') {
        if (gt - 1 > nameEnd) r.attributes = t.substr(nameEnd, gt - 1 - nameEnd);
        t.erase(hit, gt - hit + 1);
        r.ok = true;
        return r;
    }
    r.attributes = t.substr(nameEnd, gt - nameEnd);
    size_t c = t.find(close, gt + 1);
    while (c != std::u16string::npos && t[c - 1] == u'<')
        c = t.find(close, c + 1);
    if (c == std::u16string::npos) return r;
    r.content = t.substr(gt + 1, c - gt - 1);
    t.erase(hit, c + close.size() - hit);
    r.ok = true;
    return r;
}
