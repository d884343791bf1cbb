// What the input stream tells the socket thread when the reader has made room in a receive
// queue that refused a buffer: the socket thread implements it and then offers the buffer it
// held back again and resumes receiving (IMSocketInputStream::setReceiveRoomListener).
// Threading: called on the reader thread, inside the stream's notice lock; it must only hand
// the notice on (post an event) and take no lock that is held around a stream call.
#pragma once

class ReceiveRoomListener {
public:
    virtual ~ReceiveRoomListener() = default;

    virtual void onReceiveRoomAvailable() = 0;
};
