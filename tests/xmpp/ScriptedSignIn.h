// The server's side of a sign-in for the scripted TLS server, and the exact bytes the client
// must send for it, so protocol tests can script a session up to "signin" and go on from
// there. The client's iq ids vary between runs; Normalized() replaces each id="..." by
// id="#" so whole transcripts can be compared.
// Threading: plain values and pure functions.
#pragma once

#include "support/TlsScript.h"

#include <string>

class ScriptedSignIn {
public:
    static const std::string USER;
    static const std::string PASSWORD;

    // The server's stream header (with the declaration a real server writes before it).
    static std::string serverHeader();
    // The client's stream header and its SASL PLAIN element for USER and PASSWORD.
    static std::string clientHeader();
    static std::string clientAuth();
    static std::string clientBind();
    static std::string clientSession();
    // The bare and the bound full id.
    static std::string bareId();
    static std::string fullId();

    // The features a server lists after the authentication, and its answers to the client's
    // bind and session requests.
    static std::string bindFeature();
    static std::string sessionFeature();
    static std::string bindAndSessionResults();

    // Up to the features after the authentication: header and auth expected, success sent, the
    // new header expected, then these features sent.
    static TestSupport::TlsScript authenticated(const std::string& features);
    // Up to the bind and session results: header and auth expected, success sent, the new
    // header expected, the features sent (session listed first when asked), both requests
    // expected in that order and answered.
    static TestSupport::TlsScript signIn(bool sessionFirst = false);
    // Everything the client sends for signIn(sessionFirst), ids normalised.
    static std::string clientSignIn(bool sessionFirst = false);
    static std::string normalized(const std::string& bytes);
};
