// Attribute texts: name="value" pairs separated by white space, values always double-quoted,
// a doubled quote standing for one quote inside a value.
#include "skindesc/descreader.h"

#include "skindesc/attributetext.h"

namespace {

// Position of the quote closing a value whose text starts at `from`, or npos.
size_t ClosingQuote(std::u16string_view s, size_t from) {
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] != u'"') continue;
        if (i + 1 == s.size() || s[i + 1] != u'"') return i;
        ++i; // an escaped quote
    }
    return std::u16string_view::npos;
}

} // namespace

bool NextAttribute(std::u16string_view& rest, std::u16string_view& name,
                   std::u16string_view& quoted) {
    size_t start = 0;
    while (start < rest.size() && IsWideSpace(rest[start]))
        ++start;
    std::u16string_view s = rest.substr(start);
    size_t equals = s.size() > 1 ? s.find(u'=', 1) : std::u16string_view::npos;
    if (equals == std::u16string_view::npos || equals + 1 >= s.size() || s[equals + 1] != u'"')
        return false;
    size_t close = ClosingQuote(s, equals + 2);
    if (close == std::u16string_view::npos) return false;
    name = s.substr(0, equals);
    quoted = s.substr(equals + 1, close - equals);
    rest = s.substr(close + 1);
    return true;
}

bool GetAttributeValue(const CString& attributes, CString& value, const CString& name) {
    value.Empty();
    std::u16string_view rest = attributes.View(), key, quoted;
    while (NextAttribute(rest, key, quoted)) {
        if (EqualsNoCase(key, name.View())) {
            value = UnquoteView(quoted);
            return true;
        }
    }
    return false;
}

CString QuoteValue(const CString& value) {
    CString s = value;
    s.Replace(u"\"", u"\"\"");
    s.Replace(u"<", u"<<");
    s.Replace(u">", u">>");
    return u'"' + s + u'"';
}

CString UnquoteView(std::u16string_view quoted) {
    // Most values hold nothing to unescape: the text between the quotes is the value.
    size_t n = quoted.size();
    if (n >= 2 && quoted[0] == u'"' && quoted[n - 1] == u'"' &&
        quoted.substr(1, n - 2).find_first_of(u"\"<>") == std::u16string_view::npos)
        return CString(quoted.substr(1, n - 2));
    return UnquoteValue(CString(quoted));
}

CString UnquoteValue(const CString& quoted) {
    CString s = quoted;
    s.Replace(u"\"\"", u"\"");
    s.Replace(u"<<", u"<");
    s.Replace(u">>", u">");
    int n = s.GetLength();
    if (n > 0 && s[0] == u'"' && s[n - 1] == u'"') s = s.Mid(1, n - 2);
    return s;
}
