// A blocking HTTP client over the platform's asynchronous HTTP service: the caller sets the
// method, header fields and body, submits, then blocks for the status code and reads the
// body. Every platform HTTP call runs on the connection's own HttpEventListenerThread; the
// caller posts it an event (0 construct, 1 submit, 2 close, 3 cancel) with its wait armed
// inside the monitor, and the thread latches each outcome there before it wakes the waiters.
//
// States: 0 before construct, 1 request ready (also while the request is under way),
// 3 response complete, 4 whole body taken, 5 reading byte by byte, 6 closed, 7 failed or
// cancelled; 6 and 7 are the failed states. The status code and the body are answered once
// the whole response is there (state 3): a slow server is waited for as long as it keeps
// sending within the time-out. The response's body goes from the event thread to the caller
// through the body queue; buffers that find it nearly full are joined into one held buffer,
// queued behind the others when the response completes, so the queue is never refused and
// the body's bytes are held once, within the response limit.
//
// Every operation that can fail reports 0 (success) or 0x80000000 (failure) in `*error`;
// strings and buffers returned belong to the caller. Beyond the platform's defaults
// (Ixa::Net::Http::HttpTransaction), setTimeout and setResponseLimit set the time-out and
// the largest body accepted before the request is submitted; a bigger body is a failure.
//
// Threading and ownership: one owner thread makes every call but CancelRequest, which may
// come from any thread until close. The connection owns its monitor, body queue (with the
// buffers still in it), event thread and, through that thread, the platform session with its
// transaction, request and response. close (also run by the destructor) ends the thread.
#pragma once

#include "foundation/BlockingQueue.h"
#include "foundation/IMByteBuffer.h"
#include "foundation/IMMonitor.h"
#include "foundation/IMString.h"
#include "net/HttpHeaderFieldValues.h"
#include "platform/HttpSession.h"

#include <string>

class HttpEventListenerThread;

class HttpConnection {
public:
    static constexpr int EVENT_CONSTRUCT = 0;
    static constexpr int EVENT_SUBMIT = 1;
    static constexpr int EVENT_CLOSE = 2;
    static constexpr int EVENT_CANCEL = 3;
    // What the event thread latches besides its user events.
    static constexpr int HAPPENED_START = -1;
    static constexpr int HAPPENED_COMPLETION = -2;
    static constexpr int HAPPENED_ABORT = -3;

    static constexpr int STATE_READY = 1;
    static constexpr int STATE_COMPLETE = 3;
    static constexpr int STATE_BODY_TAKEN = 4;
    static constexpr int STATE_READING = 5;
    static constexpr int STATE_CLOSED = 6;
    static constexpr int STATE_FAILED = 7;

    static constexpr int BODY_QUEUE_CAPACITY = 64;

    explicit HttpConnection(IMString url);
    ~HttpConnection();

    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    void construct(unsigned long* error);
    // "get" (in lower case only), "options", "head", "delete", "trace", "post", "put",
    // "connect" (the others in any case).
    void setRequestMethod(IMString method, unsigned long* error);
    // The body as UTF-8.
    void setRequestBody(IMString body, unsigned long* error);
    // A Content-Length given right after a body that is longer in UTF-8 than in UTF-16 units
    // is counted in characters by callers; it is raised to the byte count.
    void setRequestProperty(IMString name, IMString value, unsigned long* error);
    void setTimeout(int milliseconds, unsigned long* error);
    void setResponseLimit(long long bytes, unsigned long* error);
    void submitRequest(unsigned long* error);

    // -1 with failure when the request failed, was cancelled, or was never submitted.
    int getResponseCode(unsigned long* error);
    // The next body byte (0..255); -1 with failure at the end of the body.
    int read(unsigned long* error);
    // The whole body in one new buffer (position 0, limit at its end), once.
    IMByteBuffer* getResponseBuffer(unsigned long* error);
    // The whole body decoded from UTF-8, once.
    IMString* getResponseMessage(unsigned long* error);
    IMString* getHeaderFieldKey(int index, unsigned long* error);
    IMString* getHeaderField(int index, unsigned long* error);
    // The first field of that name (any case).
    IMString* getHeaderField(IMString name, unsigned long* error);
    void getHeaderFields(IMString name, int& count, HttpHeaderFieldValues& values, unsigned long* error);

    void CancelRequest();
    void close();

private:
    friend class HttpEventListenerThread;

    // On the event thread.
    void handleEvent(int event);
    void openSession();
    void submit();
    void closeSession();
    void takeBody(Ixa::Net::Http::HttpTransaction& transaction);
    // Inside the monitor, on the event thread.
    void latch(int happening);
    void finish(int state);
    void queueBody(Ixa::Base::ByteBuffer* buffer);

    // On the owner thread.
    bool postAndWait(int event, bool& done);
    bool isReadyForRequest();
    bool awaitCompletion();
    Ixa::Net::Http::HttpResponse* completedResponse(unsigned long* error);
    bool fieldAt(int index, Ixa::Base::String& name, Ixa::Base::String& value, unsigned long* error);
    Ixa::Base::ByteBuffer* takeBodyBuffer();

    IMString url_;
    IMMonitor* monitor_;
    BlockingQueue* bodyQueue_;
    HttpEventListenerThread* thread_;
    // Guarded by the monitor.
    int state_ = 0;
    bool started_ = false;
    bool constructDone_ = false;
    bool submitDone_ = false;
    bool submitted_ = false;
    // Written by the event thread before it latches the event.
    bool constructResult_ = false;
    bool submitResult_ = false;
    // Event thread only.
    Ixa::Net::Http::HttpSession* session_ = nullptr;
    int queued_ = 0;
    std::string held_;
    bool ended_ = false;
    // Set by the event thread when it opens the session, before it latches that, and cleared
    // when it closes it; in between the owner fills the request in until it submits, and
    // reads the response once it is complete.
    Ixa::Net::Http::HttpTransaction* transaction_ = nullptr;
    Ixa::Net::Http::HttpRequest* request_ = nullptr;
    // Owner thread; read by the event thread when it submits.
    int lengthCorrection_ = 0;
    int timeout_ = Ixa::Net::Http::HttpTransaction::DEFAULT_TIMEOUT;
    long long responseLimit_ = Ixa::Net::Http::HttpTransaction::DEFAULT_RESPONSE_LIMIT;
    Ixa::Base::ByteBuffer* readBuffer_ = nullptr;
    bool bodyEnded_ = false;
    // Queued behind the last body buffer; recognised by its address.
    Ixa::Base::ByteBuffer endOfBody_;
};
