#include "TlsScript.h"

namespace TestSupport {

TlsScript& TlsScript::Expect(std::string bytes) { return Add(Kind::Expect, std::move(bytes)); }

TlsScript& TlsScript::ExpectNext(std::string stanza) { return Add(Kind::ExpectNext, std::move(stanza)); }

TlsScript& TlsScript::WaitFor(std::string marker) { return Add(Kind::WaitFor, std::move(marker)); }

TlsScript& TlsScript::Send(std::string bytes) { return Add(Kind::Send, std::move(bytes)); }

TlsScript& TlsScript::SendRaw(std::string bytes) { return Add(Kind::SendRaw, std::move(bytes)); }

TlsScript& TlsScript::Stall(std::chrono::milliseconds duration)
{
    return Add(Kind::Stall, {}, duration);
}

TlsScript& TlsScript::Close() { return Add(Kind::Close, {}); }

TlsScript& TlsScript::Abort() { return Add(Kind::Abort, {}); }

TlsScript& TlsScript::WithoutTls()
{
    usesTls_ = false;
    return *this;
}

bool TlsScript::UsesTls() const { return usesTls_; }

const std::vector<TlsScript::Step>& TlsScript::Steps() const { return steps_; }

TlsScript& TlsScript::Add(Kind kind, std::string bytes, std::chrono::milliseconds duration)
{
    steps_.push_back(Step{kind, std::move(bytes), duration});
    return *this;
}

}  // namespace TestSupport
