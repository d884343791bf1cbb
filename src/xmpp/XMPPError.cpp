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

bool XMPPError::hasErrorCondition(const char* name) const
{
    for (int i = 0; i < conditions_->size(); ++i) {
        Ixa::Base::Object* item = nullptr;
        if (conditions_->getAt(i, item) == Ixa::E_SUCCESS && static_cast<IMString*>(item)->ToUtf8() == name) {
            return true;
        }
    }
    return false;
}

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
