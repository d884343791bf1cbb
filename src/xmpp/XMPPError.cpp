#include "xmpp/XMPPError.h"

#include "xmpp/OwnedField.h"
#include "xmpp/TypeTable.h"

XMPPError::XMPPError() : conditions_(new IMVector()) {}

XMPPError::~XMPPError()
{
    conditions_->RemoveAll(true);
    delete conditions_;
    delete message_;
}

void XMPPError::addErrorCondition(IMString* condition)
{
    if (condition != nullptr) {
        conditions_->put(new IMString(*condition));
    }
}

IMVector* XMPPError::getConditions() { return conditions_; }

XMPPError::Type XMPPError::getType() const { return type_; }

void XMPPError::setType(Type type) { type_ = type; }

int XMPPError::getCode() const { return code_; }

void XMPPError::setCode(int code) { code_ = code; }

IMString* XMPPError::getMessage() { return message_; }

void XMPPError::setMessage(IMString* message) { OwnedField::replace(message_, message); }

XMPPError::Type XMPPError::getXMPPErrorState(IMString* text)
{
    static const char* const names[] = {"cancel", "continue", "modify", "auth", "wait"};
    return static_cast<Type>(TypeTable::valueOf(text, names, 5, 1, 0));
}
