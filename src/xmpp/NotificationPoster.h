// Hands a protocol event to the engine: a new GtalkNotification with the name and the object,
// given to the request controller's response queue, which owns both from then on. The names
// are those the response side's handler table is keyed by.
// Threading: post from any thread (the connection, reader and socket threads post).
#pragma once

#include "platform/Object.h"

class RequestController;

class NotificationPoster {
public:
    static constexpr const char* SIGNIN = "signin";
    static constexpr const char* BUDDY_LIST = "buddylist";
    static constexpr const char* BUDDY_STATUS = "buddyStatus";
    static constexpr const char* BUDDY_AUTHORIZE = "buddyAuthorize";
    static constexpr const char* MESSAGE = "message";
    static constexpr const char* MESSAGE_ERROR = "messageError";
    static constexpr const char* DISPLAY_IMAGE = "displayImage";
    static constexpr const char* MY_DISPLAY_NAME = "myDisplayName";
    static constexpr const char* SHARED_STATUS = "sharedstatus";
    static constexpr const char* CONNECTION_ERROR = "connectionError";
    static constexpr const char* STREAM_HANDLED = "streamHandled";
    static constexpr const char* ARCHIVED_MESSAGE = "archivedMessage";
    static constexpr const char* ARCHIVE_END = "archiveEnd";
    static constexpr const char* BLOCK_LIST = "blockList";

    // Without a controller the object is deleted, since nobody else would.
    static void post(RequestController* controller, const char* name, Ixa::Base::Object* object);
    // Hands `object` to the response thread only to be deleted there, behind everything
    // posted before it, so a handler still using it finishes first: a notification without a
    // name, which no handler sees.
    static void dispose(RequestController* controller, Ixa::Base::Object* object);
};
