// An error read from an "error" child or a stream error: the defined-condition names in
// document order, the error type, the legacy numeric code and the optional text. It is kept
// with the packet that carried it; of a stream error, only a conflict is acted on.
// Ownership: the error owns its condition strings and its message. Thread-safety: none.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"

#include <cstdint>

class XMPPError : public Ixa::Base::Object {
public:
    enum class Type : std::uint8_t { UNKNOWN = 0, CANCEL = 1, CONTINUE = 2, MODIFY = 3, AUTH = 4, WAIT = 5 };

    XMPPError();
    ~XMPPError() override;

    XMPPError(const XMPPError&) = delete;
    XMPPError& operator=(const XMPPError&) = delete;

    // Appends a copy of `condition`; the caller keeps its own.
    void addErrorCondition(IMString* condition);
    // The condition names (IMString*), owned by the error.
    IMVector* getConditions();
    // Whether one of the conditions is named `name`.
    bool hasErrorCondition(const char* name) const;
    Type getType() const;
    void setType(Type type);
    int getCode() const;
    void setCode(int code);
    IMString* getMessage();
    // Takes ownership of `message`, deleting the previous one.
    void setMessage(IMString* message);

    // The type of a "type" text, matched exactly; UNKNOWN for null or any other text.
    static Type getXMPPErrorState(IMString* text);

private:
    IMVector* conditions_;
    Type type_ = Type::UNKNOWN;
    int code_ = 0;
    IMString* message_ = nullptr;
};
