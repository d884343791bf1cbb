#include "xmpp/Constants.h"

#include "platform/Integer.h"

#include <cstdlib>

namespace {

const char* Setting(const char* variable, const char* builtIn)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : builtIn;
}

int PortSetting()
{
    int port = 443;
    const char* value = std::getenv("VELOIM_PORT");
    int parsed = 0;
    bool given = value != nullptr && Ixa::IsSucceeded(Ixa::Base::Integer::Parse(Ixa::Base::String(value), parsed));
    if (given && parsed > 0 && parsed < 65536) {
        port = parsed;
    }
    return port;
}

}  // namespace

const IMString Constants::HOST(Setting("VELOIM_HOST", VELOIM_DEFAULT_HOST));
const int Constants::PORT = PortSetting();
const IMString Constants::DOMAIN(Setting("VELOIM_DOMAIN", VELOIM_DEFAULT_DOMAIN));
const IMString Constants::AUTH_NAMESPACE(VELOIM_AUTH_NAMESPACE);
const IMString Constants::RESOURCE("Mobile");
const IMString Constants::AT("@");
const IMString Constants::COLON(":");
const IMString Constants::PROTOCOL("ssl://");
