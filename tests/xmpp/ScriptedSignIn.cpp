#include "ScriptedSignIn.h"

#include "xmpp/Constants.h"

#include <openssl/evp.h>

#include <regex>
#include <vector>

using TestSupport::TlsScript;

namespace {

std::string domain() { return Constants::DOMAIN.ToUtf8(); }

// Encoded here with OpenSSL, independently of the client's own Base64.
std::string base64(const std::string& bytes)
{
    std::vector<unsigned char> out(4 * ((bytes.size() + 2) / 3) + 1);
    int length = EVP_EncodeBlock(out.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
        static_cast<int>(bytes.size()));
    return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(length));
}

}  // namespace

const std::string ScriptedSignIn::USER = "alice";
const std::string ScriptedSignIn::PASSWORD = "wonder land";

std::string ScriptedSignIn::serverHeader()
{
    return "<?xml version='1.0'?><stream:stream from='" + domain() +
           "' xmlns:stream='http://etherx.jabber.org/streams' version='1.0' xml:lang='en' "
           "xmlns='jabber:client' id='f81d4fae'>";
}

std::string ScriptedSignIn::clientHeader()
{
    return "<stream:stream to=\"" + domain() +
           "\" xmlns=\"jabber:client\" xmlns:stream=\"http://etherx.jabber.org/streams\" version=\"1.0\">";
}

std::string ScriptedSignIn::clientAuth()
{
    std::string plain = USER + "@" + domain() + std::string(1, '\0') + USER + std::string(1, '\0') + PASSWORD;
    return "<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN' xmlns:ga='" +
           Constants::AUTH_NAMESPACE.ToUtf8() + "' ga:client-uses-full-bind-result='true' >" + base64(plain) +
           "</auth>";
}

std::string ScriptedSignIn::clientBind()
{
    return "<iq id=\"#\" type=\"set\"><bind xmlns=\"urn:ietf:params:xml:ns:xmpp-bind\"><resource>Mobile</resource>"
           "</bind></iq>";
}

std::string ScriptedSignIn::clientSession()
{
    return "<iq id=\"#\" type=\"set\"><session xmlns=\"urn:ietf:params:xml:ns:xmpp-session\"/></iq>";
}

std::string ScriptedSignIn::bareId() { return USER + "@" + domain(); }

std::string ScriptedSignIn::fullId() { return bareId() + "/Mobile"; }

std::string ScriptedSignIn::bindFeature() { return "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><required/></bind>"; }

std::string ScriptedSignIn::sessionFeature()
{
    return "<session xmlns='urn:ietf:params:xml:ns:xmpp-session'><optional/></session>";
}

std::string ScriptedSignIn::bindAndSessionResults()
{
    return "<iq type='result' id='bind_1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>" + fullId() +
           "</jid></bind></iq><iq type='result' to='" + fullId() + "' id='sess_1'/>";
}

TlsScript ScriptedSignIn::authenticated(const std::string& features)
{
    TlsScript script;
    script.ExpectNext(clientHeader())
        .ExpectNext(clientAuth())
        .Send(serverHeader() +
              "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
              "</mechanisms></stream:features><success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>")
        .ExpectNext(clientHeader())
        .Send(serverHeader() + "<stream:features>" + features + "</stream:features>");
    return script;
}

TlsScript ScriptedSignIn::signIn(bool sessionFirst)
{
    TlsScript script = authenticated(
        sessionFirst ? sessionFeature() + bindFeature() : bindFeature() + sessionFeature());
    script.ExpectNext(sessionFirst ? clientSession() : clientBind())
        .ExpectNext(sessionFirst ? clientBind() : clientSession())
        .Send(bindAndSessionResults());
    return script;
}

std::string ScriptedSignIn::clientSignIn(bool sessionFirst)
{
    return clientHeader() + clientAuth() + clientHeader() +
           (sessionFirst ? clientSession() + clientBind() : clientBind() + clientSession());
}

std::string ScriptedSignIn::normalized(const std::string& bytes)
{
    static const std::regex id("( )id=\"[^\"]*\"");
    return std::regex_replace(bytes, id, "$1id=\"#\"");
}
