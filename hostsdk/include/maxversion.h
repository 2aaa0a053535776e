#pragma once

// The host release this stand-in SDK is built for. The real SDK ships one year's headers; the
// stand-in is one set of headers for every host from 3ds Max 2020 to 2026, and HOSTSDK_YEAR
// (a compile definition of the hostsdk target, from COLORDORVO_HOST_YEAR) picks the year. The
// declarations that differ between years test MAX_RELEASE, as code written against the real
// SDK does.
#ifndef HOSTSDK_YEAR
#define HOSTSDK_YEAR 2020
#endif
#if HOSTSDK_YEAR < 2020 || HOSTSDK_YEAR > 2026
#error "the stand-in SDK covers the hosts 3ds Max 2020 to 2026"
#endif

// As the reference's maxversion.h gives them: 22 and 2020 for 3ds Max 2020, 27 and 2025 for
// 3ds Max 2025, one more each year.
#define MAX_VERSION_MAJOR (HOSTSDK_YEAR - 1998)
#define MAX_PRODUCT_YEAR_NUMBER HOSTSDK_YEAR

// The release id (MAX_RELEASE_R22 = 22000 for 3ds Max 2020, a thousand more each release) and
// the SDK's API number. The reference read gives no API numbers: the stand-in's are its own, the
// same for 2021 as for 2020 (the 2021 host takes modules built with the 2020 SDK).
#define MAX_RELEASE (MAX_VERSION_MAJOR * 1000)
#if HOSTSDK_YEAR <= 2021
#define MAX_API_NUM 55
#else
#define MAX_API_NUM (54 + HOSTSDK_YEAR - 2020)
#endif
#define MAX_SDK_REV 0
