#include "pdf/reader/pdfa_forbidden.h"

#include <set>

namespace pdf {

namespace {

// No page needs more of its resources' objects looked at.
constexpr int kMaxWalked = 4096;

class ForbiddenWalk {
public:
    explicit ForbiddenWalk(const ObjectLookup& lookup) : mLookup(lookup) {}

    bool Page(const Value& page, const Value& resources)
    {
        return Transparent(Get(page, "Group")) || Resources(At(resources));
    }

private:
    // The value, resolved; null once the walk has looked at enough objects or meets one
    // again, which the checks pass over.
    Value At(const Value& value)
    {
        if (!value.Is(Value::kReference))
            return value;
        if (mWalked.size() >= kMaxWalked || !mWalked.insert(value.ReferenceNumber()).second)
            return {};
        return Resolve(value, mLookup);
    }

    Value Get(const Value& dictionary, std::string_view key) { return At(dictionary.Get(key)); }

    // Each value of a dictionary of resources of one kind.
    template <class Check>
    bool AnyOf(const Value& dictionary, Check check)
    {
        for (const auto& entry : dictionary.Entries()) {
            if (check(At(entry.second)))
                return true;
        }
        return false;
    }

    static bool Transparent(const Value& group) { return group.Get("S").IsName("Transparency"); }

    bool Resources(const Value& resources)
    {
        return AnyOf(Get(resources, "Font"), [&](const Value& font) { return Font(font); }) ||
               AnyOf(Get(resources, "ExtGState"), [&](const Value& state) { return State(state); }) ||
               AnyOf(Get(resources, "XObject"), [&](const Value& object) { return XObject(object); }) ||
               AnyOf(Get(resources, "Pattern"), [&](const Value& pattern) { return Resources(Get(pattern, "Resources")); });
    }

    bool Font(const Value& font)
    {
        if (!font.Is(Value::kDictionary))
            return false;
        const Value& subtype = font.Get("Subtype");
        if (subtype.IsName("Type3"))
            return Resources(Get(font, "Resources"));
        if (subtype.IsName("Type0")) {
            const Value descendants = Get(font, "DescendantFonts");
            return descendants.Items().empty() || Font(At(descendants.Items()[0]));
        }
        const Value descriptor = Get(font, "FontDescriptor");
        return !descriptor.Has("FontFile") && !descriptor.Has("FontFile2") && !descriptor.Has("FontFile3");
    }

    bool State(const Value& state)
    {
        for (const char* key : {"ca", "CA"}) {
            const Value alpha = Get(state, key);
            if (alpha.IsNumber() && alpha.Number() < 1)
                return true;
        }
        const Value mask = Get(state, "SMask");
        if (!mask.Is(Value::kNull) && !mask.IsName("None"))
            return true;
        const Value blend = Get(state, "BM");
        const std::vector<Value> modes = blend.Is(Value::kArray) ? blend.Items() : std::vector<Value>{blend};
        for (const Value& mode : modes) {
            if (!mode.Is(Value::kNull) && !mode.IsName("Normal") && !mode.IsName("Compatible"))
                return true;
        }
        return false;
    }

    bool XObject(const Value& object)
    {
        if (object.Get("Subtype").IsName("Image"))
            return object.Has("SMask");
        return Transparent(Get(object, "Group")) || Resources(Get(object, "Resources"));
    }

    const ObjectLookup& mLookup;
    std::set<int> mWalked;
};

}  // namespace

bool HoldsPdfaForbidden(const Value& page, const Value& resources, const ObjectLookup& lookup)
{
    return ForbiddenWalk(lookup).Page(page, resources);
}

}  // namespace pdf
