#pragma once

// Sanitizers make arithmetic-heavy sweeps many times slower; under them the
// sweeps run a smaller sample so that every check still runs in seconds.
#if defined(KINEMORA_SANITIZED_BUILD) || defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif
