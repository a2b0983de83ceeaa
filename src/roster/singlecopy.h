#pragma once

struct Platform;

namespace SingleCopy {

inline constexpr auto Message = "このプログラムと同じプログラムがすでに起動され、完全に終了されていません。"
                                "同じプログラムを完全に終了させてから実行してください。";
inline constexpr int ExitCode = 1;

// True when this is the only running copy. Otherwise shows the critical
// "注意" message and ends this copy; the caller returns at once.
bool ensure(Platform &platform);

} // namespace SingleCopy
