// DAYWEAVE_API marks the classes that libdayweave exports.
//
// The library is built with hidden symbols by default; only what carries this mark is visible
// to programs that link it.
//
//   class DAYWEAVE_API CDay { ... };
#pragma once

#if defined(DAYWEAVE_STATIC)
#define DAYWEAVE_API
#else
#define DAYWEAVE_API __attribute__((visibility("default")))
#endif
