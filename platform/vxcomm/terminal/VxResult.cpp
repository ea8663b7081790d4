#include "VxResult.h"

#include <string>

#include "CodePage.h"
#include "VxText.h"

namespace {

constexpr std::int32_t FlagMask = vxFlagGoOn | vxFlagStop;

// The flags ride on positive codes only; a negative number is taken as it is.
std::int32_t flagsOf(std::int32_t code) { return code > 0 ? code & FlagMask : 0; }

// The texts as the terminal's users read them; UTF-8 here, handed out in the ANSI code page.
const char* utf8Text(std::int32_t code) {
  switch (code) {
    case vxOk: return "操作成功";
    case vxErrFileNotFound: return "文件不存在";
    case vxErrFileNoNotFound: return "没有这个文件号的文件";
    case vxErrFileExists: return "手持机上已有同名文件";
    case vxErrBadName: return "文件名无效(最长32个字符,不能含有\\/:*?\"<>|)";
    case vxErrNoSpace: return "手持机存储空间不足";
    case vxErrPcFileRead: return "无法读取计算机上的文件";
    case vxErrPcFileWrite: return "无法写入计算机上的文件";
    case vxErrBadId: return "参数编号无效";
    case vxErrTextTooLong: return "内容超过100个字符";
    case vxErrBadDateTime: return "日期或时间无效";
    case vxErrBadArea: return "存储区编号无效";
    case vxErrBadAddress: return "地址或长度超出存储区范围";
    case vxErrImageTooLarge: return "映像文件超过2MB";
    case vxErrBadParameter: return "调用参数无效";
    case vxErrListCut: return "文件太多,列表只取回了一部分";
    case vxErrStorage: return "手持机存储器读写错误";
    case vxErrBusy: return "通讯忙,请稍后再试";
    case vxErrNoMemory: return "内存不足";
    case vxErrInternal: return "通讯库内部错误";
    case vxErrNoDevice: return "未找到手持机";
    case vxErrBadPort: return "端口未打开";
    case vxErrTimeout: return "通讯超时";
    case vxErrLinkLost: return "通讯中断";
    case vxErrChecksum: return "数据校验错误";
    default: return nullptr;
  }
}

}  // namespace

AnsiString VxResultText(std::int32_t code) {
  const std::int32_t plain = code & ~flagsOf(code);
  const char* text = utf8Text(plain);
  const std::string utf8 = text ? std::string(text) : "未知错误(代码" + std::to_string(plain) + ")";
  return VxClipText(Utf8ToAnsi(utf8), VxTextMax);
}

bool VxResultGoesOn(std::int32_t code) {
  const std::int32_t flags = flagsOf(code);
  if (flags & vxFlagGoOn) return true;
  if (flags & vxFlagStop) return false;
  return code < vxErrNoDevice;
}
