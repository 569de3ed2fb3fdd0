// The order in which the component's static objects are constructed when
// the library loads (lower runs first): the configuration variables, the two
// current tracks, the lyric document, then the service records.
#pragma once

#define VERSOTIME_INIT_PRIORITY_CONFIG 1001
#define VERSOTIME_INIT_PRIORITY_TRACKS 1002
#define VERSOTIME_INIT_PRIORITY_DOCUMENT 1003
#define VERSOTIME_INIT_PRIORITY_SERVICES 1004

#define VERSOTIME_CONSTRUCT_IN_ORDER(priority) __attribute__((init_priority(priority)))
