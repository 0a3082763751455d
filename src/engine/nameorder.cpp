#include "engine/nameorder.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <numeric>

#include "store/utf8.h"

namespace orv {

namespace {

struct CollatorDeleter {
    void operator()(UCollator* c) const { ucol_close(c); }
};

// Sort keys of names: keys compare as unsigned bytes, which std::string's
// operator< does, so the sort never calls into the collator.
class NameKeys {
public:
    NameKeys()
    {
        UErrorCode status = U_ZERO_ERROR;
        collator_.reset(ucol_open("", &status));
        if (U_FAILURE(status)) collator_.reset();
        else ucol_setStrength(collator_.get(), UCOL_SECONDARY);
    }

    std::string Key(std::string_view name, std::string_view surname)
    {
        text_.clear();
        // Decoded field by field: one may be UTF-8 and the other Windows-1252.
        AppendDecoded(name);
        text_ += ' ';
        AppendDecoded(surname);
        if (!collator_) {
            // Without the collation data: a..z folded, as UpPos folds.
            for (char& c : text_)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            return text_;
        }
        utf16_.resize(text_.size() + 1);
        UErrorCode status = U_ZERO_ERROR;
        int32_t length = 0;
        u_strFromUTF8WithSub(utf16_.data(), static_cast<int32_t>(utf16_.size()), &length, text_.data(),
                             static_cast<int32_t>(text_.size()), 0xFFFD, nullptr, &status);
        if (U_FAILURE(status)) length = 0;
        std::string key(static_cast<std::size_t>(length) * 2 + 16, '\0');
        for (;;) {
            const int32_t need = ucol_getSortKey(collator_.get(), utf16_.data(), length,
                                                 reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
            if (need <= static_cast<int32_t>(key.size())) {
                key.resize(need > 0 ? static_cast<std::size_t>(need - 1) : 0);  // without the closing zero byte
                return key;
            }
            key.resize(static_cast<std::size_t>(need));
        }
    }

private:
    void AppendDecoded(std::string_view stored)
    {
        text_.append(StoredAsUtf8(stored, scratch_));
    }

    std::unique_ptr<UCollator, CollatorDeleter> collator_;
    std::string text_;
    std::string scratch_;
    std::vector<UChar> utf16_;
};

}  // namespace

std::vector<int> PeopleInNameOrder(const std::vector<AData>& addresses)
{
    NameKeys names;
    std::vector<std::string> keys;
    keys.reserve(addresses.size());
    for (const AData& a : addresses) keys.push_back(names.Key(a.Name, a.Surname));
    std::vector<int> order(addresses.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)]; });
    return order;
}

}  // namespace orv
