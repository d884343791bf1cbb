// The application events (EVENT_T) that every screen change and asynchronous report travels
// as, and the screen states (STATE_T) of the screen state machine. Values 0xA000 to 0xA01D
// are state transitions; the others are reports.
#pragma once

#include <cstdint>

// Every screen, with the event that shows it, its state and its screen id, in screen-id order:
// the EVENT_SHOW_, STATE_ and SCREEN_ names below, and the state machine's table of which
// screen a state shows, are all made from this one list. X(name, event, state, screen).
#define APP_SCREENS(X)                              \
    X(LOGIN, 0xA01D, 0x5004, 0x1001)                \
    X(SELF_INFO, 0xA009, 0x500B, 0x1002)            \
    X(CONTACT_INFO, 0xA008, 0x500A, 0x1003)         \
    X(BUDDY_LIST, 0xA005, 0x5005, 0x1004)           \
    X(CONVERSATIONS, 0xA002, 0x5006, 0x1005)        \
    X(DELETE_CONVERSATIONS, 0xA003, 0x5007, 0x1006) \
    X(ADD_CONTACT, 0xA004, 0x5008, 0x1007)          \
    X(CHAT, 0xA006, 0x5009, 0x1008)                 \
    X(BLOCKED_LIST, 0xA00B, 0x500C, 0x1009)         \
    X(BLOCKED_UNBLOCK, 0xA014, 0x501B, 0x100A)      \
    X(BLOCKED_DELETE, 0xA015, 0x501C, 0x100B)       \
    X(SETTINGS, 0xA00A, 0x500D, 0x100C)             \
    X(GROUP, 0xA00D, 0x500F, 0x100D)                \
    X(STATUS, 0xA00E, 0x5010, 0x100E)               \
    X(RESTORE, 0xA00F, 0x5011, 0x100F)              \
    X(RESTORE_CHAT, 0xA010, 0x5012, 0x1010)         \
    X(DELETE_RESTORE, 0xA011, 0x5013, 0x1011)       \
    X(QUICK_TEXT_LIST, 0xA017, 0x5016, 0x1012)      \
    X(QUICK_TEXT_ADD, 0xA018, 0x5017, 0x1013)       \
    X(QUICK_TEXT_DELETE, 0xA019, 0x5018, 0x1014)    \
    X(PERSONAL_MESSAGE, 0xA012, 0x5014, 0x1015)     \
    X(PROTECT_RESTORE, 0xA013, 0x5015, 0x1016)      \
    X(GROUP_LIST, 0xA01A, 0x5019, 0x1017)           \
    X(NAME_DISPLAY, 0xA01B, 0x501A, 0x1018)         \
    X(SEND_IM, 0xA016, 0x501D, 0x1019)

#define APP_SHOW_EVENT(name, event, state, screen) EVENT_SHOW_##name = event,
#define APP_STATE(name, event, state, screen) STATE_##name = state,
#define APP_SCREEN_ID(name, event, state, screen) SCREEN_##name = screen,

enum EVENT_T : std::uint16_t {
    EVENT_APP_START = 0xA000,
    EVENT_SIGNED_IN = 0xA001,
    APP_SCREENS(APP_SHOW_EVENT)
    EVENT_OPEN_NOTIFIED_CHAT = 0xA01C,
    EVENT_CONNECTION_LOST = 0xA01E,
    EVENT_SIGN_IN_CANCELLED = 0xA01F,
    EVENT_SERVER_SIGNED_OUT = 0xA020,
    EVENT_SIGN_IN_ERROR = 0xA021,
    EVENT_SELF_INFO_CHANGED = 0xA022,
    EVENT_SUBSCRIPTION_REQUEST = 0xA023,
    EVENT_BLOCK_FAILED = 0xA024,
    EVENT_PRESENCE_UPDATE_FAILED = 0xA025,
    EVENT_IGNORE_LIST_REFRESH_FAILED = 0xA026,
    EVENT_ALL_PRESENCE_FAILED = 0xA027,
    EVENT_DELETE_CONTACT_FAILED = 0xA028,
    EVENT_DENY_SUBSCRIPTION_FAILED = 0xA029,
    EVENT_LISTS_REFRESH_FAILED = 0xA02A,
    EVENT_UNBLOCK_FAILED = 0xA02B,
    EVENT_SERVER_ERROR = 0xA02C,
    EVENT_ADD_CONTACT_FAILED = 0xA02D,
    EVENT_SIGN_IN_DONE = 0xA02E,
    EVENT_SIGN_IN_SUCCESS = 0xA02F,
    EVENT_SIGN_OUT_SUCCESS = 0xA030,
    EVENT_MODEL_UPDATE = 0xA031,
    // The connection is being tried again by itself; the event's number is the seconds to the
    // next try (0: trying now).
    EVENT_RECONNECTING = 0xA032,
    EVENT_RECONNECTED = 0xA033,
    EVENT_TABLE_END = 0xA034,
};

enum STATE_T : std::uint16_t {
    STATE_INIT = 0x5003,
    APP_SCREENS(APP_STATE)
    STATE_TABLE_END = 0x501E,
};

// Screen ids: what a row of the state table shows.
enum SCREEN_ID : std::uint16_t {
    APP_SCREENS(APP_SCREEN_ID)
    SCREEN_TABLE_END = 0x101A,
};

#undef APP_SHOW_EVENT
#undef APP_STATE
#undef APP_SCREEN_ID

// The model-side delegate's notification codes, as screens receive them.
enum NOTIFY_T : int {
    NOTIFY_CONTACT_UPDATED = 2899,
    NOTIFY_MY_ICON_CHANGED = 2900,
    NOTIFY_ALL_PRESENCE_RECEIVED = 2901,
    NOTIFY_IGNORE_LIST_REFRESHED = 2903,
    NOTIFY_CONTACT_LIST_CHANGED = 2904,
    NOTIFY_MESSAGE_UPDATED = 2906,
    NOTIFY_CONTACT_IMAGE_UPDATED = 2908,
};
