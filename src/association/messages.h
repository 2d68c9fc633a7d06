// The texts the association actions end with. UTF-8 here, GBK bytes in the
// program (-fexec-charset=GBK).
#pragma once

namespace messages {

inline constexpr char kAddSucceeded[] = "文件关联成功，请注销系统，查看";
inline constexpr char kAddFailed[] = "文件关联失败，请以管理员身份运行后重试";
inline constexpr char kRemoveSucceeded[] = "文件关联清除成功，请注销系统，查看";
inline constexpr char kRemoveFailed[] = "文件关联清除失败，请以管理员身份运行后重试";
inline constexpr char kInvalidExtension[] = "文件后缀无效，请填写不带“.”的后缀，例如 txt";
inline constexpr char kExecutableType[] = "不能修改系统可执行文件类型的关联";

}  // namespace messages
