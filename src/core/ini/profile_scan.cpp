#include "core/ini/profile_scan.h"

#include <algorithm>

#include "core/ini/line_search.h"
#include "core/ini/profile_name.h"
#include "core/ini/profile_syntax.h"
#include "core/text/case_fold.h"

namespace quizloom::profile {

KeySet::KeySet(const std::vector<Name>& names) : lower_(cp1251LowerTable().data()) {
    for (const Name& name : names) {
        keys_.push_back({std::string(name.bytes()), std::string(name.folded())});
        maxLength_ = std::max(maxLength_, name.bytes().size() + 1);
    }
    first_.assign(maxLength_ * 256, -1);
    // Chained from the back, so that the first of equal names is met first.
    for (int i = static_cast<int>(keys_.size()); i-- > 0;) {
        int& first = first_[bucket(keys_[i].folded)];
        keys_[i].next = first;
        first = i;
    }
}

void scanProfile(std::string_view text, ScanTarget& target) {
    const char* data = text.data();
    const std::size_t size = text.size();
    SectionSlots slots; // the preamble's entries belong to no section
    for (std::size_t pos = 0; pos < size;) {
        const LineShape shape = findLineShape<true>(text, pos);
        const std::size_t contentEnd = shape.contentEnd;
        std::size_t start = pos;
        while (start < contentEnd && isBlank(data[start]))
            ++start;
        if (start < contentEnd) {
            const char first = data[start];
            if (first == '[') {
                slots = target.enterSection(sectionNameAt(text.substr(pos, contentEnd - pos), start - pos));
            } else if (slots.keys && first != ';') {
                if (shape.equals != std::string_view::npos) {
                    const std::size_t at = shape.equals;
                    const int index = slots.keys->find(trimBlanks(text.substr(start, at - start)));
                    if (index >= 0 && !slots.values[index])
                        slots.values[index] = valueAsRead(text.substr(at + 1, contentEnd - at - 1));
                }
            }
        }
        pos = contentEnd + lineBreakLength(text, contentEnd);
    }
}

} // namespace quizloom::profile
