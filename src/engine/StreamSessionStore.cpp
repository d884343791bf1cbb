#include "engine/StreamSessionStore.h"

#include "engine/EngineAccess.h"
#include "store/PropertiesModel.h"
#include "xmpp/Connection.h"

void StreamSessionStore::save(RequestController* controller, std::uint32_t handled)
{
    Connection* connection = EngineAccess::connection(controller);
    if (connection == nullptr) {
        return;
    }
    StreamManagement& streams = connection->streamManagement();
    const IMString id(streams.canResume() ? streams.sessionId().c_str() : "");
    PropertiesModel::GetInstance()->SaveStreamSession(EngineAccess::ownId(controller), id, handled);
}

void StreamSessionStore::restore(StreamManagement& streams, const IMString& account)
{
    streams.reset();
    IMString id;
    long long handled = 0;
    if (PropertiesModel::GetInstance()->GetStreamSession(account, &id, &handled)) {
        streams.restore(id.ToUtf8(), static_cast<std::uint32_t>(handled));
    }
}

void StreamSessionStore::forget(RequestController* controller)
{
    if (Connection* connection = EngineAccess::connection(controller)) {
        connection->streamManagement().reset();
    }
    PropertiesModel::GetInstance()->SaveStreamSession(EngineAccess::ownId(controller), IMString(), 0);
}
