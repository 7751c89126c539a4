/*
 * The interface of a data-link library: the contract between the instrument
 * library and any shared library that connects instrument properties to
 * items on an industrial data server. Plain C; include it without the rest
 * of the project.
 *
 * The instrument library loads the link library by its name "iOPC.dll"
 * (on Linux the file libiOPC.so, looked for beside the program first, then
 * on the dynamic loader's path) and looks up every function named in
 * IOPC_FUNCTION_NAMES; a library may leave any of them out. It calls the
 * four link functions whose types are declared below, and the status
 * functions declared after them where a library has them.
 *
 * Threads: the library may call a data callback on any thread, also while
 * another callback runs. The receiver copies what it needs before the
 * callback returns. After SignalRemove returns, the library should stop
 * calling that handle's callback; a late call with a context whose link was
 * removed is ignored by the receiver.
 */
#ifndef TINTORAL_INSTRUMENTS_OPC_LINKLIBRARY_H
#define TINTORAL_INSTRUMENTS_OPC_LINKLIBRARY_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The one calling convention of every function and callback. */
#if defined(_WIN32)
#define IOPC_CALL __stdcall
#else
#define IOPC_CALL
#endif

/* A value travelling between the library and an instrument property. */
typedef enum IOPCVariantType {
  IOPC_VT_EMPTY = 0,
  IOPC_VT_INT32 = 1,
  IOPC_VT_INT64 = 2,
  IOPC_VT_DOUBLE = 3,
  IOPC_VT_BOOLEAN = 4,
  IOPC_VT_TEXT = 5
} IOPCVariantType;

typedef struct IOPCVariant {
  int32_t type; /* an IOPCVariantType */
  union {
    int32_t int32Value;
    int64_t int64Value;
    double doubleValue;
    int32_t booleanValue; /* 0 false, anything else true */
    struct {
      const char* bytes; /* Windows-1252 bytes, owned by the caller, valid during the call */
      size_t length;
    } text;
  } value;
} IOPCVariant;

/* Called by the library with each new value of a link: the value, the
   server's quality word (good when bits 6 and 7, mask 0xC0, are both set)
   and an 8-byte timestamp of the library's own format, kept as received.
   `context` is the pointer given to SignalAdd. */
typedef void(IOPC_CALL* IOPCDataCallback)(void* context, const IOPCVariant* value, uint16_t quality,
                                          uint64_t timestamp);

/* Opens a link to one item; returns its handle (0: none). `reserved` is
   passed as 0. `propertyKind` is the bound property's kind code: 1 integer,
   2 character, 3 enumeration, 4 floating point, 5 short string, 6 set,
   7 object, 8 method, 9 wide character, 10 long string, 11 wide string,
   12 variant. */
typedef int32_t(IOPC_CALL* IOPCSignalAdd)(const char* computerName, const char* serverName, const char* itemName,
                                          const char* groupName, int32_t updateRate, uint8_t reserved,
                                          uint8_t propertyKind, IOPCDataCallback callback, void* context);
/* Closes a link; the result carries no meaning for the caller. */
typedef int32_t(IOPC_CALL* IOPCSignalRemove)(int32_t handle);
/* Non-zero while the link is active. */
typedef int32_t(IOPC_CALL* IOPCSignalGetActive)(int32_t handle);
/* Writes a value to the link's item; the library copies what it keeps. */
typedef void(IOPC_CALL* IOPCSignalSendData)(int32_t handle, const IOPCVariant* value);

/* Optional status functions, for a panel that shows its links' health.
   Texts are zero-terminated Windows-1252, one line each, cut to fit
   `size` bytes; each call returns the length of the whole text. */

/* What is wrong with a link, "" when nothing is: for example a write
   that the server refused or that could not be sent. */
typedef int32_t(IOPC_CALL* IOPCSignalGetStatus)(int32_t handle, char* buffer, int32_t size);
/* The server connections the library holds, numbered 0 ... count - 1. */
typedef int32_t(IOPC_CALL* IOPCServerConnectionGetCount)(void);
/* A connection's server, as the items name it. */
typedef int32_t(IOPC_CALL* IOPCServerConnectionGetName)(int32_t index, char* buffer, int32_t size);
/* A connection's state (an IOPCConnectionState), the Unix time in
   milliseconds since when it holds, and a text with the details (the
   reason of a refusal, for example). */
typedef enum IOPCConnectionState {
  IOPC_CONNECTION_UNKNOWN = 0,
  IOPC_CONNECTION_CONNECTING = 1,
  IOPC_CONNECTION_CONNECTED = 2,
  IOPC_CONNECTION_LOST = 3,
  IOPC_CONNECTION_REFUSED = 4
} IOPCConnectionState;
typedef int32_t(IOPC_CALL* IOPCServerConnectionGetState)(int32_t index, int64_t* sinceUnixMilliseconds, char* buffer,
                                                         int32_t size);

/* Problems with the library's own set-up, one per line ("FILE:LINE: what",
   a warning as "FILE:LINE: warning: what"); "" when there are none. A
   simulation library reports its simulation file's mistakes here. */
typedef int32_t(IOPC_CALL* IOPCLinkGetSetupProblems)(char* buffer, int32_t size);

/* Design-time browsing, for a panel designer choosing an item; the data
   link itself never calls these. Texts as above, one entry a line; each
   call returns the length of its whole text. */

/* The servers the library knows on a computer ("" or "Local": this one),
   one a line, each as an item's ServerName names it. */
typedef int32_t(IOPC_CALL* IOPCEditorServerGetData)(const char* computerName, char* buffer, int32_t size);
/* The entries of one branch of a server's address space ("" is the top):
   "B\tNAME\tBRANCH" for a branch, browsed by passing BRANCH;
   "I\tNAME\tITEM" for an item, ITEM as an item's ItemName names it.
   A server that cannot be browsed gives the one line "E\tREASON". May take
   up to `timeoutMs` milliseconds (a server far away): call it away from a
   window's thread. */
typedef int32_t(IOPC_CALL* IOPCEditorItemGetBranchItems)(const char* computerName, const char* serverName,
                                                         const char* branch, int32_t timeoutMs, char* buffer,
                                                         int32_t size);

/* Every function the loader looks up, in lookup order: X(name) each. */
// clang-format off
#define IOPC_FUNCTION_NAMES(X)                                                                              \
  X(SignalAdd) X(SignalRemove) X(SignalSuspend) X(SignalResume) X(SignalGetActive) X(SignalGetGroupHandle) \
  X(SignalSendData) X(EditorSessionStart) X(EditorSessionStop) X(EditorComputerBranchOpen)                  \
  X(EditorComputerBranchClose) X(EditorComputerBranchGetItemCount) X(EditorComputerBranchGetItemData)       \
  X(EditorServerSetup) X(EditorServerGetCount) X(EditorServerGetData) X(EditorItemSetup)                    \
  X(EditorItemGetBrowseType) X(EditorItemSetPath) X(EditorItemGetBranchItems) X(EditorItemGetQualifiedName) \
  X(GroupAdd) X(GroupDelete) X(GroupResume) X(GroupSuspend) X(GroupGetCount) X(GroupGetHandleByName)        \
  X(GroupGetName) X(GroupGetComputerName) X(GroupGetOPCServerName) X(GroupGetUpdateRate)                    \
  X(GroupSetUpdateRate) X(GroupGetHandle) X(ServerConnectionGetCount) X(ServerConnectionGetName)            \
  X(ServerConnectionGetGroupCount) X(ServerConnectionGetGroupName) X(ServerConnectionReconnect)             \
  X(ServerConnectionDisconnect) X(ManagerCreated) X(ManagerAddItem) X(ManagerDestroyed)              \
  X(SignalGetStatus) X(ServerConnectionGetState) X(LinkGetSetupProblems)
// clang-format on

#ifdef __cplusplus
}
#endif

#endif /* TINTORAL_INSTRUMENTS_OPC_LINKLIBRARY_H */
