// An attribute text split once into its pairs, for readers that ask it for several names.
// Lookups give exactly what GetAttributeValue gives on the same text: the first pair of the
// name wins, and pairs after a malformed one are never reached.
#pragma once

#include "platform/base/afx.h"

#include <string_view>
#include <utility>
#include <vector>

// UnquoteValue on a quoted value where it lies.
CString UnquoteView(std::u16string_view quoted);

class CAttributeText {
public:
    // The text must outlive this object.
    explicit CAttributeText(const CString& attributes);

    bool Get(const CString& name, CString& value) const;
    CString Get(const CString& name) const {
        CString value;
        Get(name, value);
        return value;
    }

private:
    using Pair = std::pair<std::u16string_view, std::u16string_view>;
    // Elements carry a handful of attributes: those stay in place, the rest go to m_more.
    static constexpr size_t kInline = 8;
    Pair m_pairs[kInline];
    size_t m_count = 0;
    std::vector<Pair> m_more;
};
