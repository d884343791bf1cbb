// Result codes of the platform API and the per-thread last-result slot.
//
// Platform operations answer with a result code, zero meaning success. Operations whose name
// ends in N hand an object to the caller and report failure through the calling thread's
// last-result slot instead, which the caller reads right after the call.
// Thread-safety: the last-result slot is per thread; the functions are safe from any thread.
#pragma once

namespace Ixa {

using result = unsigned long;

inline constexpr result E_SUCCESS = 0;
inline constexpr result E_FAILURE = 0x80000000UL;
inline constexpr result E_INVALID_ARG = 0x80000001UL;
inline constexpr result E_OUT_OF_RANGE = 0x80000002UL;
inline constexpr result E_OBJ_NOT_FOUND = 0x80000003UL;
inline constexpr result E_OBJ_ALREADY_EXIST = 0x80000004UL;
inline constexpr result E_INVALID_STATE = 0x80000005UL;
inline constexpr result E_INVALID_FORMAT = 0x80000006UL;
inline constexpr result E_INVALID_ENCODING_RANGE = 0x80000007UL;
inline constexpr result E_OVERFLOW = 0x80000008UL;
inline constexpr result E_UNDERFLOW = 0x80000009UL;
inline constexpr result E_OUT_OF_MEMORY = 0x8000000AUL;
inline constexpr result E_TIMEOUT = 0x8000000BUL;
inline constexpr result E_SYSTEM = 0x8000000CUL;
inline constexpr result E_INVALID_OPERATION = 0x8000000DUL;

inline constexpr bool IsFailed(result r) { return (r & E_FAILURE) != 0; }
inline constexpr bool IsSucceeded(result r) { return !IsFailed(r); }

result GetLastResult();
void SetLastResult(result r);
void ClearLastResult();

}  // namespace Ixa
