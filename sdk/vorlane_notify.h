/* vorlane_notify.h: talking to the Vorlane Notify plug-in (notify.dll).
 *
 * One header for C (C11) and C++, free to copy into other plug-ins and
 * programs. It holds:
 *   - the notification request of other plug-ins, PopupRequest, in its three
 *     forms (44, 52 and 60 bytes), sent through the host as message
 *     NOTIFY_REQUEST (774201) to network NOTIFY_NETWORK (774), and
 *     NOTIFY_CLOSE (774202), which closes a notification by its id;
 *   - the notification window's class name and its listener messages
 *     NOTIFY_SUBSCRIBE (1124) and NOTIFY_UNSUBSCRIBE (1125);
 *   - the info records that subscribed windows receive by WM_COPYDATA, and a
 *     small reader for them.
 * The records are the host's: little-endian, byte-packed, starting with
 * their own 16-bit size, with 32-bit pointers. They are declared only for
 * 32-bit Windows builds, where a plug-in runs; the rest serves any build.
 */
#ifndef VORLANE_NOTIFY_H
#define VORLANE_NOTIFY_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define NOTIFY_STATIC_ASSERT(condition, text) static_assert(condition, text)
#else
#define NOTIFY_STATIC_ASSERT(condition, text) _Static_assert(condition, text)
#endif

enum {
    NOTIFY_NETWORK = 774,       /* the plug-in's network number: `net` of a request */
    NOTIFY_REQUEST = 774201,    /* show a notification; the record is a PopupRequest */
    NOTIFY_CLOSE = 774202,      /* close the notification whose id is p1 */

    /* The only messages the window takes from other programs (its other
       private messages answer them with a refusal). A subscribed window must
       answer each WM_COPYDATA at once: one that takes longer than 200 ms is
       dropped, and the plug-in spends at most a second on all listeners of
       one record, serving those that were slow before last. */
    NOTIFY_SUBSCRIBE = 1124,    /* WM_USER + 100, wParam: the window to subscribe */
    NOTIFY_UNSUBSCRIBE = 1125,  /* WM_USER + 101, wParam: the window to drop */

    /* Sizes of the three request forms. */
    NOTIFY_REQUEST_OLD_SIZE = 44,
    NOTIFY_REQUEST_SIZE = 52,
    NOTIFY_REQUEST_INFO_SIZE = 60,

    /* Icon kind, the low 4 bits of `iconFlags`; kinds 2 to 15 show nothing. */
    NOTIFY_ICON_HOST = 0,       /* `icon` is a host icon identifier */
    NOTIFY_ICON_HANDLE = 1,     /* `icon` is an HICON, destroyed by the plug-in */
    /* Default-icon choice, the high 4 bits of `iconFlags`, used when `icon` is 0. */
    NOTIFY_DEFAULT_INFORMATION = 0,
    NOTIFY_DEFAULT_ERROR = 1,
    NOTIFY_DEFAULT_WARNING = 2,
    /* The plug-in's own icons, as registered with the host. */
    NOTIFY_ICON_INFORMATION = 774001,
    NOTIFY_ICON_WARNING = 774002,
    NOTIFY_ICON_ERROR = 774003,
    /* The host's message icon. */
    NOTIFY_MESSAGE_ICON = 0x50000010,

    /* `iconSource` of the 44-byte form; any other value: the default icon. */
    NOTIFY_OLD_ICON_HANDLE = 0,  /* the handle at `iconHandle` */
    NOTIFY_OLD_ICON_STATUS = 1,  /* the status icon of `network` and `status` */
    NOTIFY_OLD_ICON_MESSAGE = 2, /* the host's message icon */

    /* Info records: fields of SUB (26), key, "=", value. The kind arrives
       as the COPYDATASTRUCT's dwData. */
    NOTIFY_INFO_SEPARATOR = 26,
    NOTIFY_INFO_STATUS = 1,      /* a status notification: keys "name", "status" */
    NOTIFY_INFO_MESSAGE = 2      /* a received message: key "name" */
};

/* The notification window, one per host session. */
#define NOTIFY_CLASS_NAME "VorlaneNotifyWindow"

/* iconFlags from an icon kind and a default-icon choice. */
#define NOTIFY_ICON_FLAGS(kind, defaultChoice) ((uint8_t)((((defaultChoice) & 0x0F) << 4) | ((kind) & 0x0F)))

#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 1)

/* The 52-byte form, and the 60-byte form with an info record for the
   listeners (`infoText`, `infoKind`; send `size` 52 to leave them out). */
typedef struct PopupRequest {
    uint16_t size;          /* 52 or 60 */
    int32_t id;             /* NOTIFY_REQUEST */
    int32_t reserved1;      /* 0 */
    int32_t net;            /* NOTIFY_NETWORK */
    int32_t typeMask;       /* -1 */
    int32_t reserved2;      /* 0 */
    uint8_t padding1[2];
    const char* text;       /* Windows-1250, "<b>" toggles bold, line feeds split lines */
    uint8_t iconFlags;      /* NOTIFY_ICON_FLAGS(kind, default choice) */
    int8_t displayTime;     /* times the user's delay; -1 waits for a click */
    uint8_t clickable;      /* 1: a click is reported to the host for the origin */
    uint8_t padding2;
    uint32_t icon;          /* host icon identifier or HICON; 0: the default icon */
    int32_t originAction;   /* the action a click is reported for */
    int32_t originParent;
    int32_t originContact;  /* contact row, -2 for none */
    int32_t clickValue;
    const char* infoText;   /* 60-byte form: an info record, or null */
    int32_t infoKind;       /* 60-byte form: its kind, or 0 */
} PopupRequest;

/* The older 44-byte form: shown for 1 x the delay, not clickable. */
typedef struct PopupRequest44 {
    uint16_t size;          /* 44 */
    int32_t id;
    int32_t reserved1;
    int32_t net;
    int32_t typeMask;
    int32_t reserved2;
    uint8_t padding1[2];
    const char* text;
    int32_t iconSource;     /* NOTIFY_OLD_ICON_... */
    int32_t status;         /* with NOTIFY_OLD_ICON_STATUS, low 16 bits */
    int32_t network;        /* with NOTIFY_OLD_ICON_STATUS, low 8 bits */
    uint32_t iconHandle;    /* with NOTIFY_OLD_ICON_HANDLE */
} PopupRequest44;

#pragma pack(pop)

NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, id) == 2, "PopupRequest.id");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, net) == 10, "PopupRequest.net");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, typeMask) == 14, "PopupRequest.typeMask");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, text) == 24, "PopupRequest.text");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, iconFlags) == 28, "PopupRequest.iconFlags");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, displayTime) == 29, "PopupRequest.displayTime");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, clickable) == 30, "PopupRequest.clickable");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, icon) == 32, "PopupRequest.icon");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, originAction) == 36, "PopupRequest.originAction");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, originParent) == 40, "PopupRequest.originParent");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, originContact) == 44, "PopupRequest.originContact");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, clickValue) == 48, "PopupRequest.clickValue");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, infoText) == 52, "PopupRequest.infoText");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest, infoKind) == 56, "PopupRequest.infoKind");
NOTIFY_STATIC_ASSERT(sizeof(PopupRequest) == 60, "PopupRequest is 60 bytes");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest44, text) == 24, "PopupRequest44.text");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest44, iconSource) == 28, "PopupRequest44.iconSource");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest44, status) == 32, "PopupRequest44.status");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest44, network) == 36, "PopupRequest44.network");
NOTIFY_STATIC_ASSERT(offsetof(PopupRequest44, iconHandle) == 40, "PopupRequest44.iconHandle");
NOTIFY_STATIC_ASSERT(sizeof(PopupRequest44) == 44, "PopupRequest44 is 44 bytes");
#endif

/* One field of an info record; key and value point into the record and are
   not terminated. */
typedef struct NotifyInfoField {
    const char* key;
    size_t keyLength;
    const char* value;
    size_t valueLength;
} NotifyInfoField;

/* Reads the field that starts at or after *position (start with 0) in a
   record of `size` bytes; a zero byte ends the record early, so the
   WM_COPYDATA block can be passed as it came (lpData, cbData). Returns 1 and
   moves *position past the field, or 0 when no field is left. Text before
   the first separator is skipped; a field without "=" has an empty value. */
static inline int notifyNextInfoField(const char* record, size_t size, size_t* position, NotifyInfoField* field) {
    size_t end = 0, at, start, stop, equals;
    if (!record || !position || !field) return 0;
    while (end < size && record[end]) end++;
    for (at = *position; at < end && record[at] != NOTIFY_INFO_SEPARATOR; at++) {
    }
    if (at >= end) {
        *position = end;
        return 0;
    }
    start = at + 1;
    for (stop = start; stop < end && record[stop] != NOTIFY_INFO_SEPARATOR; stop++) {
    }
    for (equals = start; equals < stop && record[equals] != '='; equals++) {
    }
    field->key = record + start;
    field->keyLength = equals - start;
    field->value = record + (equals < stop ? equals + 1 : stop);
    field->valueLength = equals < stop ? stop - equals - 1 : 0;
    *position = stop;
    return 1;
}

#endif /* VORLANE_NOTIFY_H */
