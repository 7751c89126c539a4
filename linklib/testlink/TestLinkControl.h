/*
 * The test link library: a link library (instruments/opc/LinkLibrary.h)
 * for tests and benchmarks only. It simulates a data server in the process:
 * links get handles 1, 2, ... and are active until removed; values are
 * served on the library's own server thread or by a feeder thread that can
 * run fast; the calls it receives are recorded as texts:
 *
 *   "SignalAdd <computer>|<server>|<item>|<group>|<rate>|<reserved>|<kind>"
 *   "SignalRemove <handle>"
 *   "SignalSendData <handle> <type> <value text>"
 *
 * It also has the optional status functions: a link's status text and the
 * server connections, both as the control functions below set them.
 *
 * Like a real server, a value already on its way may still be delivered
 * just after SignalRemove returns. The functions below drive it.
 */
#ifndef TINTORAL_LINKLIB_TESTLINK_TESTLINKCONTROL_H
#define TINTORAL_LINKLIB_TESTLINK_TESTLINKCONTROL_H

#include <stdint.h>

#include "instruments/opc/LinkLibrary.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Stops the feeder, forgets every link and recorded call; handles start at 1 again. */
typedef void (*TestLinkResetFunction)(void);
/* The number of recorded calls, and call `index` copied into `buffer` (cut to size - 1). */
typedef int32_t (*TestLinkCallCountFunction)(void);
typedef void (*TestLinkCallFunction)(int32_t index, char* buffer, int32_t size);
/* The handle of the newest link to the item, 0 when none is open. */
typedef int32_t (*TestLinkHandleOfFunction)(const char* itemName);
/* What SignalGetActive answers for an open link (initially 1). */
typedef void (*TestLinkSetActiveFunction)(int32_t handle, int32_t active);
/* Delivers one value to the link on the server thread and waits until the
   callback returned; the result is the steady clock (ns) just before the
   callback was entered, 0 when the link is not open. */
typedef int64_t (*TestLinkServeFunction)(int32_t handle, const IOPCVariant* value, uint16_t quality,
                                         uint64_t timestamp);
/* Starts the feeder: the values 1, 2, 3, ... as doubles, each to the next
   link of `handles` in turn, `valuesPerSecond` of them (0: as fast as it
   can), with the given quality and the value's number as timestamp. */
typedef void (*TestLinkStartFeedFunction)(const int32_t* handles, int32_t count, int32_t valuesPerSecond,
                                          uint16_t quality);
/* Stops the feeder; returns how many values it delivered. */
typedef int64_t (*TestLinkStopFeedFunction)(void);
/* The last value the feeder delivered to the link (0 when none). */
typedef double (*TestLinkLastFedFunction)(int32_t handle);
/* Like TestLinkStartFeed, but stops by itself after `total` values; with a
   `value`, that one value every time (its text copied) instead of the
   numbers. */
typedef void (*TestLinkStartCountedFeedFunction)(const int32_t* handles, int32_t count, int32_t valuesPerSecond,
                                                 uint16_t quality, const IOPCVariant* value, int64_t total);
/* Waits until the feeder has stopped by itself; returns how many values it delivered. */
typedef int64_t (*TestLinkWaitFeedFunction)(void);
/* What SignalGetStatus answers for the link ("" initially). */
typedef void (*TestLinkSetStatusFunction)(int32_t handle, const char* status);
/* Adds the server connection of that name, or changes it: what
   ServerConnectionGetState answers. */
typedef void (*TestLinkSetConnectionFunction)(const char* name, int32_t state, int64_t sinceUnixMilliseconds,
                                              const char* details);

#ifdef __cplusplus
}
#endif

#endif /* TINTORAL_LINKLIB_TESTLINK_TESTLINKCONTROL_H */
