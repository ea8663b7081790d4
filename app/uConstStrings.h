// uConstStrings: the program's message texts.
//
// Every text the program shows at run time in a message box, a status line, a progress label
// or a caption it sets itself is one of the global AnsiStrings below, named by its key. The
// keys are also the names under which a language file carries the translations, so they keep
// their spelling exactly (misspellings included). A text ending with a full-width colon is a
// prefix to which the caller appends a file name, the communication library's error text or an
// exception message.
//
// Values are 8-bit text in the ANSI code page. The unit's initialisation sets each value to its
// Chinese default (converted from the UTF-8 text below into the code page of the process), its
// finalisation empties them all. TranslateConstStrings looks every value up again by key in the
// current language; a key the language lacks, or whose text is empty, keeps its current value.
#pragma once

#include <cstddef>

#include "System.h"
#include "TUnitList.h"

// The table in its fixed order (the order of re-translation): key, Chinese default in UTF-8.
#define HHM_CONST_STRINGS(X)                                                          \
  X(DLG_DIR_OPEN_TITLE, "请选择目录")                                                 \
  X(DATE_FORMAT, "YYYY年MM月DD日")                                                    \
  X(ERR_INFO, "错误信息")                                                             \
  X(ERR_WARNING, " 警告")                                                             \
  X(ERR_FILE_NOT_EXIST, "文件不存在：")                                               \
  X(ERR_FILE_NOT_EXIST1, "文件不存在！")                                              \
  X(ERR_DIR_NOT_EXIST, "目录不存在：")                                                \
  X(ERR_FILE_EXT, "文件类型错误：")                                                   \
  X(ERR_FILE_EXISTED, "文件已经存在：")                                               \
  X(ERR_FILE_CREATE_FAILED, "创建文件失败：")                                         \
  X(ERR_FILE_OPEN, "打开文件失败！")                                                  \
  X(ERR_NOT_CONNECTED_DEVICE, "未连接上手持机或手持机未进入通讯状态！")               \
  X(ERR_CONNECT_FAILED, "与手持机通讯失败！")                                         \
  X(ERR_READ_COMPACITY_FAILED, "读机器容量失败：")                                    \
  X(ERR_READ_FILE_COUNT_FAILED, "读机器文件个数失败：")                               \
  X(ERR_READ_SPACE_FAILED, "读已占用空间失败：")                                      \
  X(ERR_READ_VERSION_FAILED, "读机器版本失败：")                                      \
  X(ERR_LIST_DEVICE_FILES, "上传文件列表出错：")                                      \
  X(INFO_LIST_DEVICE_FILES, "正在读取手持机文件列表...")                              \
  X(INFO_CONECTED_PORT, "手持机连接在COM%d口！")                                      \
  X(INFO_CONECTED_USB, "手持机连接在USB口！")                                         \
  X(INFO_MODIFIED, "已修改")                                                          \
  X(INFO_FTP_DISCONNECT, "Ftp已经连接，是否断开?")                                    \
  X(INFO_FTP_CONNECT, "Ftp已经断开，是否现在连接?")                                   \
  X(INFO_CONNECT, "连接")                                                             \
  X(INFO_DISCONNECT, "断开")                                                          \
  X(INFO_FTP_TRANSFORTED, "FTP传输：")                                                \
  X(INFO_FTP_CANCEL_DOWNLOAD, "是否取消下载")                                         \
  X(INFO_FTP_CANCELED, "下载取消")                                                    \
  X(ERR_FTP_DISCONNECTED, "ftp连接断开")                                              \
  X(ERR_FTP_DOWNLOAD, "从FTP下载文件出错")                                            \
  X(ERR_FTP_UPLOAD, "上传到FTP出错")                                                  \
  X(INFO_FTP_DOWNLOAD_FILE, "正在下载ftp文件：")                                      \
  X(INFO_FTP_UPLOAD_FILE, "正在上传文件到ftp：")                                      \
  X(ERR_FTP_CONNECTING, "连接ftp服务器错误")                                          \
  X(ERR_NO_TEMP_FILE, "临时文件不存在！")                                             \
  X(INFO_INFOMATION, "提示信息")                                                      \
  X(INFO_UNKOWN, "未知")                                                              \
  X(INFO_UNKOWN1, "不详")                                                             \
  X(INFO_UNKOWN_TYPE, "未知类型")                                                     \
  X(INFO_WAITING, "请稍候...")                                                        \
  X(INFO_CURRENT_PROGRESS, " 当前进度：")                                             \
  X(INFO_FINISHED_FIRST, "请先完成当前操作！")                                        \
  X(INFO_FORCE_QUIT, "当前有操作正在进行，强制退出？")                                \
  X(INFO_DELETE_ALL, "确认删除所有文件？删除后不可恢复！")                            \
  X(INFO_RECYCLE_FILE, "确认将选定的文件放入回收站？")                                \
  X(INFO_DELETE_SELECTED, "确认删除选定的文件？")                                     \
  X(INFO_DELETE_PERMENENT, "确认彻底删除选定的文件？删除后不可恢复！")                \
  X(INFO_SAME_FILE_IN_LIST, "列表中已有同名文件！")                                   \
  X(INFO_SELECT_FILE, "请先选择文件！")                                               \
  X(INFO_DOWNLOAD_TO_DEVICE, "确认将列表中的文件下装到手持机？")                      \
  X(INFO_DOWN_INFOMATION, "下装提示")                                                 \
  X(INFO_NO_DOWN_FILE, "没有需要下装的文件！")                                        \
  X(INFO_DOWNLOADING, "正在下装文件：")                                               \
  X(INFO_DOWNLOAD_ALL_SUCESS, "下装文件全部成功！")                                   \
  X(INFO_DOWNLOAD_PARTIAL_FAILED, "下装文件部分失败！")                               \
  X(ERR_DOWNLOAD, "下装文件出错：")                                                   \
  X(INFO_DOWN_MEMORY, "正在下装指定地址内容...")                                      \
  X(INFO_DOWN_MEMORY_FAILED, "下装失败：")                                            \
  X(INFO_DOWN_MEMORY_SUCESS, "下装成功！")                                            \
  X(INFO_UP_MEMORY, "正在上传指定地址内容...")                                        \
  X(INFO_UP_MEMORY_FAILED, "上传失败：")                                              \
  X(INFO_UP_MEMORY_SUCESS, "上传成功！")                                              \
  X(INFO_UPLOAD_SYSTEM, "正在获取手持机操作系统...")                                  \
  X(INFO_DOWNLOAD_SYSTEM, "正在更新手持机操作系统...")                                \
  X(INFO_UPLOAD_FONT, "正在获取汉字及输入法...")                                      \
  X(INFO_DOWNLOAD_FONT, "正在更新汉字及输入法...")                                    \
  X(INFO_UPLOADING, "正在上装文件：")                                                 \
  X(INFO_UPLOAD_ALL_SUCESS, "上装文件全部成功！")                                     \
  X(INFO_UPLOAD_PARTIAL_FAILED, "上装文件部分失败！")                                 \
  X(INFO_RECYCLEING, "正在放入回收站：")                                              \
  X(INFO_RECYCLE_ALL_SUCESS, "放入回收站全部成功！")                                  \
  X(INFO_RECYCLE_PARTIAL_FAILED, "放入回收站部分失败！")                              \
  X(INFO_RESTOREING, "正在恢复文件：")                                                \
  X(INFO_RESTORE_ALL_SUCESS, "恢复文件全部成功！")                                    \
  X(INFO_RESTORE_PARTIAL_FAILED, "恢复文件部分失败！")                                \
  X(INFO_DELETEING, "正在删除所有文件...")                                            \
  X(INFO_DELETE_ALL_SUCESS, "删除所有文件成功！")                                     \
  X(INFO_DELETE_PARTIAL_FAILED, "删除所有文件失败！")                                 \
  X(INFO_PERMANENT_DELETEING, "正在彻底删除文件：")                                   \
  X(INFO_PERMANENT_DELETE_ALL_SUCESS, "彻底删除文件全部成功！")                       \
  X(INFO_PERMANENT_DELETE_PARTIAL_FAILED, "彻底删除文件部分失败！")                   \
  X(INFO_LIST_DELETED_FILES, "正在读取回收站文件列表...")                             \
  X(INFO_LIST_DELETED_FILES_FAILED, "读取回收站文件列表失败：")                       \
  X(INFO_LIST_DELETED_FILES_SUCESS, "读取回收站文件列表成功！")                       \
  X(INFO_UPLOAD_TO_DEVICE, "确认将列表中的手持机文件上传到计算机？")                  \
  X(INFO_UP_INFOMATION, "上传提示")                                                   \
  X(INFO_NO_UP_FILE, "没有需要上传的文件！")                                          \
  X(INFO_SETTIME_SUCCESS, "设置手持机时间成功！")                                     \
  X(INFO_SETTIME_FAILED, "设置手持机时间失败：")                                      \
  X(INFO_SET_VERSION_SUCCESS, "设定机器版本成功！")                                   \
  X(INFO_SET_VERSION_FAILED, "设定机器版本失败：")                                    \
  X(INFO_READ_DEVICE_TYPE_FAILED, "读机器类型失败：")                                 \
  X(INFO_SET_DEVICE_TYPE_FAILED, "设定机器类型失败：")                                \
  X(INFO_SET_DEVICE_TYPE_SUCEESS, "设定机器类型成功！")                               \
  X(INFO_READ_DEVICE_SERIAL_FAILED, "读机器编号失败：")                               \
  X(INFO_SET_DEVICE_SERIAL_FAILED, "设定机器编号失败：")                              \
  X(INFO_SET_DEVICE_SERIAL_SUCEESS, "设定机器编号成功！")                             \
  X(INFO_READ_COMPANY_NAME_FAILED, "读公司名称失败：")                                \
  X(INFO_SET_COMPANY_NAME_FAILED, "设定公司名称失败：")                               \
  X(INFO_SET_COMPANY_NAME_SUCEESS, "设定公司名称成功！")                              \
  X(INFO_READ_PASSWORD_FAILED, "读密码失败：")                                        \
  X(INFO_SET_PASSWORD_FAILED, "设定密码失败：")                                       \
  X(INFO_SET_PASSWORD_SUCEESS, "设定密码成功！")                                      \
  X(INFO_READ_USER_COMPANY_NAME_FAILED, "读用户单位失败：")                           \
  X(INFO_SET_USER_COMPANY_NAME_FAILED, "设定用户单位失败：")                          \
  X(INFO_SET_USER_COMPANY_NAME_SUCEESS, "设定用户单位成功！")                         \
  X(INFO_READ_USER_NAME_FAILED, "读用户名称失败：")                                   \
  X(INFO_SET_USER_NAME_FAILED, "设定用户名称失败：")                                  \
  X(INFO_SET_USER_NAME_SUCEESS, "设定用户名称成功！")                                 \
  X(INFO_READ_USERID_FAILED, "读用户编号失败：")                                      \
  X(INFO_SET_USERID_FAILED, "设定用户编号失败：")                                     \
  X(INFO_SET_USERID_SUCEESS, "设定用户编号成功！")                                    \
  X(INFO_READ_USER_DEVICE_SERIAL_FAILED, "读用户机器编号失败：")                      \
  X(INFO_SET_USER_DEVICE_SERIAL_FAILED, "设定用户机器编号失败：")                     \
  X(INFO_SET_USER_DEVICE_SERIAL_SUCEESS, "设定用户机器编号成功！")                    \
  X(INFO_READ_USER_NOTE_FAILED, "读用户备注失败：")                                   \
  X(INFO_SET_USER_NOTE_FAILED, "设定用户备注失败：")                                  \
  X(INFO_SET_USER_NOTE_SUCEESS, "设定用户备注成功！")                                 \
  X(INFO_READING_MODE, "当前模式：读取用户参数（单击改变）")                          \
  X(INFO_SETTING_MODE, "当前模式：设定用户参数（单击改变）")                          \
  X(INFO_READ_PASSWORD, "读取密码")                                                   \
  X(INFO_SET_PASSWORD, "设定密码")                                                    \
  X(INFO_READ_USER_COMPANY_NAME, "读取用户单位")                                      \
  X(INFO_SET_USER_COMPANY_NAME, "设定用户单位")                                       \
  X(INFO_READ_USER_NAME, "读取用户名称")                                              \
  X(INFO_SET_USER_NAME, "设定用户名称")                                               \
  X(INFO_READ_USERID, "读取用户编号")                                                 \
  X(INFO_SET_USERID, "设定用户编号")                                                  \
  X(INFO_READ_USER_DEVICE_SERIAL, "读取用户机器编号")                                 \
  X(INFO_SET_USER_DEVICE_SERIAL, "设定用户机器编号")                                  \
  X(INFO_READ_USER_NOTE, "读取用户备注")                                              \
  X(INFO_SET_USER_NOTE, "设定用户备注")                                               \
  X(INFO_READING_SYS_MODE, "当前模式：读取系统参数（单击改变）")                      \
  X(INFO_SETTING_SYS_MODE, "当前模式：设定系统参数（单击改变）")                      \
  X(INFO_READ_COMPANY_NAME, "读取公司名称")                                           \
  X(INFO_SET_COMPANY_NAME, "设定公司名称")                                            \
  X(INFO_READ_DEVICE_VERSION, "读取机器版本")                                         \
  X(INFO_SET_DEVICE_VERSION, "设定机器版本")                                          \
  X(INFO_READ_DEVICE_TYPE, "读取机器类型")                                            \
  X(INFO_SET_DEVICE_TYPE, "设定机器类型")                                             \
  X(INFO_READ_DEVICE_SERIAL, "读取机器编号")                                          \
  X(INFO_SET_DEVICE_SERIAL, "设定机器编号")                                          \
  X(ERR_BAD_ADDRESS, "起始地址无效：")                                                \
  X(ERR_BAD_LENGTH, "长度无效：")                                                     \
  X(ERR_FILE_TOO_LARGE, "文件太大：")                                                 \
  X(ERR_NO_MEMORY, "内存不足！")                                                      \
  X(ERR_PASSWORD_TOO_LONG, "密码太长，最多100个字符（一个汉字占两个字符）！")

#define HHM_DECLARE_CONST_STRING(Key, Default) extern AnsiString Key;
HHM_CONST_STRINGS(HHM_DECLARE_CONST_STRING)
#undef HHM_DECLARE_CONST_STRING

// One entry of the table: the key, the value it names and its default in UTF-8.
struct TConstStringEntry {
  const char* Key;
  AnsiString* Value;
  const char* DefaultUtf8;
};

// The entries in table order.
inline constexpr std::size_t ConstStringCount = 148;
const TConstStringEntry* ConstStringTable();

// Looks every value up again by key in the current language (see TranslateStr); a value whose
// key the language lacks, or whose text is empty there, keeps what it holds.
void TranslateConstStrings();

void uConstStringsInitialize();
void uConstStringsFinalize();
inline constexpr TUnitEntry uConstStringsUnit{"uConstStrings", &uConstStringsInitialize, &uConstStringsFinalize};
