#include "net/HttpConnection.h"

#include "foundation/IMUtf8Encoding.h"
#include "net/HttpEventListenerThread.h"
#include "platform/Integer.h"
#include "platform/StringUtil.h"

#include <string>

using namespace Ixa::Net::Http;

namespace {

struct MethodName {
    const char* name;
    NetHttpMethod method;
};

constexpr MethodName Methods[] = {{"options", NET_HTTP_METHOD_OPTIONS}, {"head", NET_HTTP_METHOD_HEAD},
    {"delete", NET_HTTP_METHOD_DELETE}, {"trace", NET_HTTP_METHOD_TRACE}, {"post", NET_HTTP_METHOD_POST},
    {"put", NET_HTTP_METHOD_PUT}, {"connect", NET_HTTP_METHOD_CONNECT}};

bool MethodFor(const IMString& name, NetHttpMethod& method)
{
    if (name.Equals("get", true)) {
        method = NET_HTTP_METHOD_GET;
        return true;
    }
    for (const MethodName& each : Methods) {
        if (name.Equals(each.name, false)) {
            method = each.method;
            return true;
        }
    }
    return false;
}

unsigned long Outcome(bool succeeded) { return succeeded ? Ixa::E_SUCCESS : Ixa::E_FAILURE; }

}  // namespace

HttpConnection::HttpConnection(IMString url)
    : url_(url),
      monitor_(new IMMonitor()),
      bodyQueue_(new BlockingQueue(BODY_QUEUE_CAPACITY)),
      thread_(new HttpEventListenerThread(this, monitor_))
{
}

HttpConnection::~HttpConnection()
{
    close();
    delete readBuffer_;
    unsigned long result = 0;
    while (void* item = bodyQueue_->take(0, &result)) {
        if (item != &endOfBody_)
            delete static_cast<Ixa::Base::ByteBuffer*>(item);
    }
    delete bodyQueue_;
    delete monitor_;
}

void HttpConnection::construct(unsigned long* error)
{
    monitor_->Enter();
    const bool running = thread_ != nullptr && !Ixa::IsFailed(thread_->construct())
        && !Ixa::IsFailed(thread_->Start());
    if (running)
        state_ = 0;
    while (running && !started_)
        monitor_->Wait();
    monitor_->Exit();
    *error = Outcome(running && postAndWait(EVENT_CONSTRUCT, constructDone_) && constructResult_);
}

void HttpConnection::setRequestMethod(IMString method, unsigned long* error)
{
    NetHttpMethod code = NET_HTTP_METHOD_GET;
    *error = Outcome(isReadyForRequest() && MethodFor(method, code)
        && !Ixa::IsFailed(request_->SetMethod(code)));
}

void HttpConnection::setRequestBody(IMString body, unsigned long* error)
{
    if (!isReadyForRequest()) {
        *error = Ixa::E_FAILURE;
        return;
    }
    Ixa::Base::ByteBuffer* bytes = Ixa::Base::Utility::StringUtil::StringToUtf8N(body);
    lengthCorrection_ = bytes->GetLimit() - body.GetLength();
    *error = Outcome(!Ixa::IsFailed(request_->WriteBody(*bytes)));
    delete bytes;
}

void HttpConnection::setRequestProperty(IMString name, IMString value, unsigned long* error)
{
    int length = 0;
    if (lengthCorrection_ != 0 && name.Equals("Content-Length", false)
        && !Ixa::IsFailed(Ixa::Base::Integer::Parse(value, length))) {
        value = IMString(std::to_string(length + lengthCorrection_).c_str());
        lengthCorrection_ = 0;
    }
    *error = Outcome(isReadyForRequest() && !name.IsEmpty() && !value.IsEmpty()
        && !Ixa::IsFailed(request_->GetHeader()->AddField(name, value)));
}

void HttpConnection::setTimeout(int milliseconds, unsigned long* error)
{
    const bool valid = milliseconds > 0 && isReadyForRequest();
    if (valid)
        timeout_ = milliseconds;
    *error = Outcome(valid);
}

void HttpConnection::setResponseLimit(long long bytes, unsigned long* error)
{
    const bool valid = bytes > 0 && isReadyForRequest();
    if (valid)
        responseLimit_ = bytes;
    *error = Outcome(valid);
}

void HttpConnection::submitRequest(unsigned long* error)
{
    *error = Outcome(isReadyForRequest() && postAndWait(EVENT_SUBMIT, submitDone_) && submitResult_);
}

int HttpConnection::getResponseCode(unsigned long* error)
{
    HttpResponse* response = completedResponse(error);
    return response != nullptr ? response->GetHttpStatusCode() : -1;
}

int HttpConnection::read(unsigned long* error)
{
    *error = Ixa::E_FAILURE;
    if (!awaitCompletion())
        return -1;
    monitor_->Enter();
    const bool readable = state_ != STATE_BODY_TAKEN;
    if (readable)
        state_ = STATE_READING;
    monitor_->Exit();
    if (!readable)
        return -1;
    while (readBuffer_ == nullptr || !readBuffer_->HasRemaining()) {
        delete readBuffer_;
        readBuffer_ = takeBodyBuffer();
        if (readBuffer_ == nullptr)
            return -1;
    }
    Ixa::byte value = 0;
    readBuffer_->GetByte(value);
    *error = Ixa::E_SUCCESS;
    return value;
}

IMByteBuffer* HttpConnection::getResponseBuffer(unsigned long* error)
{
    *error = Ixa::E_FAILURE;
    if (!awaitCompletion())
        return nullptr;
    monitor_->Enter();
    const bool whole = state_ == STATE_COMPLETE;
    if (whole)
        state_ = STATE_BODY_TAKEN;
    monitor_->Exit();
    if (!whole)
        return nullptr;
    std::string bytes;
    while (Ixa::Base::ByteBuffer* buffer = takeBodyBuffer()) {
        bytes.append(reinterpret_cast<const char*>(buffer->GetPointer()) + buffer->GetPosition(),
            static_cast<size_t>(buffer->GetRemaining()));
        delete buffer;
    }
    auto* joined = new IMByteBuffer();
    joined->Construct(static_cast<int>(bytes.size()));
    joined->SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
    joined->Flip();
    *error = Ixa::E_SUCCESS;
    return joined;
}

IMString* HttpConnection::getResponseMessage(unsigned long* error)
{
    IMByteBuffer* body = getResponseBuffer(error);
    if (body == nullptr)
        return nullptr;
    auto* text = new IMString();
    IMUtf8Encoding().GetString(*body, *text);
    delete body;
    return text;
}

IMString* HttpConnection::getHeaderFieldKey(int index, unsigned long* error)
{
    Ixa::Base::String name;
    Ixa::Base::String value;
    return fieldAt(index, name, value, error) ? new IMString(name) : nullptr;
}

IMString* HttpConnection::getHeaderField(int index, unsigned long* error)
{
    Ixa::Base::String name;
    Ixa::Base::String value;
    return fieldAt(index, name, value, error) ? new IMString(value) : nullptr;
}

IMString* HttpConnection::getHeaderField(IMString name, unsigned long* error)
{
    HttpHeaderFieldValues values;
    int count = 0;
    getHeaderFields(name, count, values, error);
    if (Ixa::IsFailed(*error) || Ixa::IsFailed(values.MoveNext())) {
        *error = Ixa::E_FAILURE;
        return nullptr;
    }
    return values.GetCurrentString(error);
}

void HttpConnection::getHeaderFields(
    IMString name, int& count, HttpHeaderFieldValues& values, unsigned long* error)
{
    count = 0;
    HttpResponse* response = completedResponse(error);
    Ixa::Base::Collection::IEnumerator* enumerator =
        response != nullptr ? response->GetHeader()->GetFieldValuesN(name) : nullptr;
    values.setEnumerator(enumerator);
    if (enumerator == nullptr) {
        *error = Ixa::E_FAILURE;
        return;
    }
    while (!Ixa::IsFailed(enumerator->MoveNext()))
        ++count;
    enumerator->Reset();
    *error = Ixa::E_SUCCESS;
}

void HttpConnection::CancelRequest()
{
    monitor_->Enter();
    if (state_ == STATE_READY && thread_ != nullptr)
        thread_->SendUserEvent(EVENT_CANCEL, nullptr);
    monitor_->Exit();
}

void HttpConnection::close()
{
    if (thread_ == nullptr)
        return;
    if (!Ixa::IsFailed(thread_->SendUserEvent(EVENT_CLOSE, nullptr)))
        thread_->Join();
    monitor_->Enter();
    HttpEventListenerThread* thread = thread_;
    thread_ = nullptr;
    state_ = STATE_CLOSED;
    monitor_->Exit();
    delete thread;
}

void HttpConnection::handleEvent(int event)
{
    switch (event) {
    case EVENT_CONSTRUCT:
        openSession();
        break;
    case EVENT_SUBMIT:
        submit();
        break;
    case EVENT_CLOSE:
        closeSession();
        break;
    case EVENT_CANCEL:
        if (transaction_ != nullptr)
            session_->CancelTransaction(*transaction_);
        break;
    default:
        break;
    }
}

void HttpConnection::openSession()
{
    session_ = new HttpSession();
    constructResult_ = !Ixa::IsFailed(session_->Construct(
        NET_HTTP_SESSION_MODE_NORMAL, nullptr, url_, nullptr, NET_HTTP_COOKIE_FLAG_ALWAYS_MANUAL));
    if (constructResult_)
        transaction_ = session_->OpenTransactionN();
    constructResult_ = transaction_ != nullptr
        && !Ixa::IsFailed(transaction_->AddHttpTransactionListener(*thread_));
    if (constructResult_) {
        request_ = transaction_->GetRequest();
        constructResult_ = !Ixa::IsFailed(request_->SetUri(url_));
    }
}

void HttpConnection::submit()
{
    submitResult_ = !Ixa::IsFailed(transaction_->SetTimeout(timeout_))
        && !Ixa::IsFailed(transaction_->SetResponseLimit(responseLimit_))
        && !Ixa::IsFailed(transaction_->Submit());
}

void HttpConnection::closeSession()
{
    if (session_ != nullptr)
        session_->CloseAllTransactions();
    delete session_;
    session_ = nullptr;
    transaction_ = nullptr;
    request_ = nullptr;
    Ixa::Base::Runtime::Thread::Exit(0);
}

void HttpConnection::takeBody(HttpTransaction& transaction)
{
    HttpResponse* response = transaction.GetResponse();
    Ixa::Base::ByteBuffer* buffer = response != nullptr ? response->ReadBodyN() : nullptr;
    if (buffer == nullptr)
        return;
    if (held_.empty() && queued_ < BODY_QUEUE_CAPACITY - 2) {
        queueBody(buffer);
        return;
    }
    held_.append(reinterpret_cast<const char*>(buffer->GetPointer()) + buffer->GetPosition(),
        static_cast<size_t>(buffer->GetRemaining()));
    delete buffer;
}

void HttpConnection::latch(int happening)
{
    switch (happening) {
    case HAPPENED_START:
        started_ = true;
        break;
    case EVENT_CONSTRUCT:
        constructDone_ = true;
        state_ = constructResult_ ? STATE_READY : STATE_FAILED;
        break;
    case EVENT_SUBMIT:
        submitDone_ = true;
        submitted_ = submitResult_;
        if (!submitResult_)
            finish(STATE_FAILED);
        break;
    case EVENT_CANCEL:
    case HAPPENED_ABORT:
        finish(STATE_FAILED);
        break;
    case HAPPENED_COMPLETION:
        finish(STATE_COMPLETE);
        break;
    default:
        break;
    }
}

void HttpConnection::finish(int state)
{
    if (ended_)
        return;
    ended_ = true;
    if (!held_.empty()) {
        auto* buffer = new Ixa::Base::ByteBuffer();
        buffer->Construct(static_cast<int>(held_.size()));
        buffer->SetArray(reinterpret_cast<const Ixa::byte*>(held_.data()), 0, static_cast<int>(held_.size()));
        buffer->Flip();
        held_.clear();
        queueBody(buffer);
    }
    queueBody(&endOfBody_);
    if (state_ == STATE_READY)
        state_ = state;
}

void HttpConnection::queueBody(Ixa::Base::ByteBuffer* buffer)
{
    unsigned long result = 0;
    bodyQueue_->put(buffer, &result);
    // Room is kept for the held buffer and the end, so a refusal cannot happen; a buffer
    // refused anyway is not leaked.
    if (Ixa::IsFailed(result) && buffer != &endOfBody_)
        delete buffer;
    else
        ++queued_;
}

bool HttpConnection::postAndWait(int event, bool& done)
{
    monitor_->Enter();
    done = false;
    const bool posted = thread_ != nullptr && !Ixa::IsFailed(thread_->SendUserEvent(event, nullptr));
    while (posted && !done)
        monitor_->Wait();
    monitor_->Exit();
    return posted;
}

bool HttpConnection::isReadyForRequest()
{
    monitor_->Enter();
    const bool ready = state_ == STATE_READY && !submitted_;
    monitor_->Exit();
    return ready;
}

bool HttpConnection::awaitCompletion()
{
    monitor_->Enter();
    while (state_ == STATE_READY && submitted_)
        monitor_->Wait();
    const bool complete =
        state_ == STATE_COMPLETE || state_ == STATE_BODY_TAKEN || state_ == STATE_READING;
    monitor_->Exit();
    return complete;
}

HttpResponse* HttpConnection::completedResponse(unsigned long* error)
{
    HttpResponse* response = awaitCompletion() ? transaction_->GetResponse() : nullptr;
    *error = Outcome(response != nullptr);
    return response;
}

bool HttpConnection::fieldAt(
    int index, Ixa::Base::String& name, Ixa::Base::String& value, unsigned long* error)
{
    HttpResponse* response = completedResponse(error);
    if (response == nullptr || Ixa::IsFailed(response->GetHeader()->GetFieldAt(index, name, value))) {
        *error = Ixa::E_FAILURE;
        return false;
    }
    return true;
}

Ixa::Base::ByteBuffer* HttpConnection::takeBodyBuffer()
{
    if (bodyEnded_)
        return nullptr;
    unsigned long result = 0;
    void* item = bodyQueue_->take(&result);
    bodyEnded_ = item == nullptr || item == &endOfBody_;
    return bodyEnded_ ? nullptr : static_cast<Ixa::Base::ByteBuffer*>(item);
}
