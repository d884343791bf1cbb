#include "engine/UserId.h"

#include "xmpp/Constants.h"

namespace {

// The text before the first `separator`, or the whole text without one.
IMString before(const IMString& text, wchar_t separator)
{
    int at = -1;
    if (Ixa::IsFailed(text.IndexOf(separator, 0, at)) || at < 0) {
        return text;
    }
    IMString head;
    text.SubString(0, at, head);
    return head;
}

}  // namespace

IMString UserId::defaultSuffix()
{
    IMString suffix(Constants::AT);
    suffix.Append(Constants::DOMAIN);
    return suffix;
}

void UserId::complete(IMString* id)
{
    if (id != nullptr && !id->Contains(Constants::AT)) {
        id->Append(defaultSuffix());
    }
}

IMString UserId::normalised(const IMString& typed)
{
    IMString id(typed.ToLower());
    id.Trim();
    if (!id.IsEmpty()) {
        complete(&id);
    }
    return id;
}

IMString UserId::bareLowerCase(const IMString& id) { return IMString(before(id, L'/').ToLower()); }

IMString UserId::localPart(const IMString& id) { return before(id, L'@'); }

IMString UserId::displayUserName(const IMString& id) { return id.Contains(defaultSuffix()) ? localPart(id) : id; }

bool UserId::sameIgnoringCase(const IMString& left, const IMString& right) { return left.Equals(right, false); }
