// The user texts of both builds. The Chinese texts are code page 936 (GBK)
// bytes, handed unchanged to the narrow window calls: they read correctly
// where the system code page is 936. Menu paths and names are plain ASCII.
// Generated once from the UTF-8 wording; edit both columns together.
#pragma once

#include "resources/resource.h"

namespace versotime {
namespace texts {

#if VERSOTIME_CHINESE
constexpr int editor_dialog = IDD_EDITOR_CH;
constexpr int preferences_dialog = IDD_PREFERENCES_CH;
constexpr const char* main_menu_path = "Components/Make lyrics (CH version)";
constexpr const char* context_menu_path = "Make lyrics (CH version)";
constexpr const char* component_name = "Versotime(CH version)";
#else
constexpr int editor_dialog = IDD_EDITOR_EN;
constexpr int preferences_dialog = IDD_PREFERENCES_EN;
constexpr const char* main_menu_path = "Components/Make lyrics";
constexpr const char* context_menu_path = "Make lyrics";
constexpr const char* component_name = "Versotime";
#endif

// Shared by both builds.
constexpr const char* parent_page_name = "Components";
constexpr const char* version = "0.15";
constexpr const char* window_title = "Versotime V0.15";
constexpr const char* title_pattern = "%s-%s";
constexpr const char* open_file_title = "Open a File";
constexpr const char* save_file_title = "Save Lyric File as ...";

#if VERSOTIME_CHINESE
constexpr const char* ready = "\xD7\xBC\xB1\xB8\xBE\xCD\xD0\xF7...";  // 准备就绪...
constexpr const char* wrote_lines = "\xD2\xD1\xB3\xC9\xB9\xA6\xD0\xB4\xC8\xEB%d\xD0\xD0";  // 已成功写入%d行
constexpr const char* save_file_failed = "\xB1\xA3\xB4\xE6\xB8\xE8\xB4\xCA\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC";  // 保存歌词文件失败
constexpr const char* lyric_too_short = "\xB8\xE8\xB4\xCA\xCC\xAB\xB6\xCC\xBB\xF2\xC3\xBB\xD3\xD0\xB8\xE8\xB4\xCA";  // 歌词太短或没有歌词
constexpr const char* read_tag_ok = "\xB4\xD3TAG\xD6\xD0\xB6\xC1\xC8\xA1\xB8\xE8\xB4\xCA\xB3\xC9\xB9\xA6";  // 从TAG中读取歌词成功
constexpr const char* write_lyrics_tag_failed = "\xD0\xB4\xB8\xE8\xB4\xCA\xB5\xBDTAG\xD6\xD0\xCA\xA7\xB0\xDC";  // 写歌词到TAG中失败
constexpr const char* write_lyrics_tag_queued = "\xCE\xC4\xBC\xFE\xC3\xA6\xA3\xAC\xD5\xFD\xD4\xDA\xC5\xC5\xB6\xD3\xB5\xC8\xBA\xF2\xD0\xB4\xB8\xE8\xB4\xCA\xB5\xBDTAG\xD6\xD0";  // 文件忙，正在排队等候写歌词到TAG中
constexpr const char* write_lyrics_tag_ok = "\xD0\xB4\xB8\xE8\xB4\xCA\xB5\xBDTAG\xD6\xD0\xB3\xC9\xB9\xA6";  // 写歌词到TAG中成功
constexpr const char* write_path_tag_failed = "\xD0\xB4\xB8\xE8\xB4\xCA\xCE\xC4\xBC\xFE\xC2\xB7\xBE\xB6\xB5\xBDTAG\xD6\xD0\xCA\xA7\xB0\xDC";  // 写歌词文件路径到TAG中失败
constexpr const char* write_path_tag_queued = "\xCE\xC4\xBC\xFE\xC3\xA6\xA3\xAC\xD5\xFD\xD4\xDA\xC5\xC5\xB6\xD3\xB5\xC8\xB4\xFD\xD0\xB4\xB8\xE8\xB4\xCA\xCE\xC4\xBC\xFE\xC2\xB7\xBE\xB6\xB5\xBDTAG\xD6\xD0";  // 文件忙，正在排队等待写歌词文件路径到TAG中
constexpr const char* write_path_tag_ok = "\xD0\xB4\xB8\xE8\xB4\xCA\xCE\xC4\xBC\xFE\xC2\xB7\xBE\xB6\xB5\xBDTAG\xD6\xD0\xB3\xC9\xB9\xA6";  // 写歌词文件路径到TAG中成功
constexpr const char* read_clipboard_ok = "\xB4\xD3\xBC\xF4\xCC\xF9\xB0\xE5\xD6\xD0\xBB\xF1\xC8\xA1\xB8\xE8\xB4\xCA\xB3\xC9\xB9\xA6";  // 从剪贴板中获取歌词成功
constexpr const char* no_lyrics_in_clipboard = "\xBC\xF4\xCC\xF9\xB0\xE5\xD6\xD0\xC3\xBB\xD3\xD0\xB8\xE8\xB4\xCA";  // 剪贴板中没有歌词
constexpr const char* allocate_failed = "\xB7\xD6\xC5\xE4\xC4\xDA\xB4\xE6\xB3\xF6\xB4\xED";  // 分配内存出错
constexpr const char* get_clipboard_failed = "\xB4\xD3\xBC\xF4\xCC\xF9\xB0\xE5\xD6\xD0\xBB\xF1\xC8\xA1\xB8\xE8\xB4\xCA\xCA\xA7\xB0\xDC";  // 从剪贴板中获取歌词失败
constexpr const char* copy_clipboard_ok = "\xB8\xB4\xD6\xC6\xB8\xE8\xB4\xCA\xB5\xBD\xBC\xF4\xCC\xF9\xB0\xE5\xD6\xD0\xB3\xC9\xB9\xA6";  // 复制歌词到剪贴板中成功
constexpr const char* no_lyric_to_copy = "\xC3\xBB\xD3\xD0\xB8\xE8\xB4\xCA\xBF\xC9\xD2\xD4\xB8\xB4\xD6\xC6";  // 没有歌词可以复制
constexpr const char* copy_clipboard_failed = "\xB8\xB4\xD6\xC6\xB8\xE8\xB4\xCA\xB5\xBD\xBC\xF4\xCC\xF9\xB0\xE5\xD6\xD0\xCA\xA7\xB0\xDC";  // 复制歌词到剪贴板中失败
constexpr const char* lyric_tag_format_error = "\xC9\xE8\xD6\xC3\xB5\xC4\xB8\xE8\xB4\xCATAG\xC3\xFB\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3";  // 设置的歌词TAG名格式错误
constexpr const char* filepath_tag_format_error = "\xC9\xE8\xD6\xC3\xB5\xC4\xB8\xE8\xB4\xCA\xC2\xB7\xBE\xB6TAG\xC3\xFB\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3";  // 设置的歌词路径TAG名格式错误
constexpr const char* title_too_long = "\xB4\xB0\xBF\xDA\xB1\xEA\xCC\xE2\xC9\xE8\xD6\xC3\xD7\xD6\xB7\xFB\xB4\xAE\xCC\xAB\xB3\xA4\xA3\xAC\xD3\xA6\xD0\xA1\xD3\xDA" "128\xA3\xA1";  // 窗口标题设置字符串太长，应小于128！
constexpr const char* filename_too_long = "\xCE\xC4\xBC\xFE\xC3\xFB\xC9\xE8\xD6\xC3\xD7\xD6\xB7\xFB\xB4\xAE\xCC\xAB\xB3\xA4\xA3\xAC\xD3\xA6\xD0\xA1\xD3\xDA" "128\xA3\xA1";  // 文件名设置字符串太长，应小于128！
constexpr const char* too_many_lines = "\xB8\xE8\xB4\xCA\xD0\xD0\xCA\xFD\xCC\xAB\xB6\xE0\xA3\xA8\xB3\xAC\xB9\xFD" "200000\xD0\xD0\xA3\xA9";  // 歌词行数太多（超过200000行）
constexpr const char* seek_steps[4] = {"0.1\xC3\xEB", "1\xC3\xEB", "2\xC3\xEB", "5\xC3\xEB"};
#else
constexpr const char* ready = "Ready...";
constexpr const char* wrote_lines = "Wrote %d lines successfully";
constexpr const char* save_file_failed = "Save lyrics to file failed";
constexpr const char* lyric_too_short = "Lyric is too short or no lyric";
constexpr const char* read_tag_ok = "Read lyric from tag successfully";
constexpr const char* write_lyrics_tag_failed = "Write lyrics to tag failed";
constexpr const char* write_lyrics_tag_queued = "File busy, Write lyrics to tag queued";
constexpr const char* write_lyrics_tag_ok = "Write lyrics to tag successfully";
constexpr const char* write_path_tag_failed = "Write file path to tag failed";
constexpr const char* write_path_tag_queued = "File busy, Write file path to tag queued";
constexpr const char* write_path_tag_ok = "Wrote file path to tag successfully";
constexpr const char* read_clipboard_ok = "Read lyric from clipboard successfully";
constexpr const char* no_lyrics_in_clipboard = "No lyrics in clipboard";
constexpr const char* allocate_failed = "Allocate memory failed";
constexpr const char* get_clipboard_failed = "Get lyric from clipboard failed";
constexpr const char* copy_clipboard_ok = "Copy lyric to clipboard successfully";
constexpr const char* no_lyric_to_copy = "No lyric to copy";
constexpr const char* copy_clipboard_failed = "Copy to clipboard failed";
constexpr const char* lyric_tag_format_error = "Config lyric tag name format error";
constexpr const char* filepath_tag_format_error = "Config lyric filepath tag name format error";
constexpr const char* title_too_long = "string too long, should less than 128!";
constexpr const char* filename_too_long = "filename setting string too long, should less than 128!";
constexpr const char* too_many_lines = "Lyric has too many lines (more than 200000)";
constexpr const char* seek_steps[4] = {"0.1s", "1s", "2s", "5s"};
#endif

// The keys of the editor, for the about text of the version record. UTF-8 in
// both builds: the player takes the version record's texts as UTF-8.
#if VERSOTIME_CHINESE
constexpr const char* about_keys =
    "\n\xE7\xBC\x96\xE8\xBE\x91\xE7\xAA\x97\xE5\x8F\xA3\xE7\x9A\x84\xE6\x8C\x89\xE9\x94\xAE\xEF\xBC\x9A"  // 编辑窗口的按键：
    "\n\xE6\xAD\x8C\xE8\xAF\x8D\xE5\x88\x97\xE8\xA1\xA8\xE4\xB8\xAD\xE6\x8C\x89\xE4\xB8\x8B/\xE4\xB8\x8A\xEF\xBC\x88\xE6\x92\xAD\xE6\x94\xBE\xE6\xA8\xA1\xE5\xBC\x8F\xEF\xBC\x89\xEF\xBC\x9A\xE4\xB8\xBA\xE4\xB8\x8B\xE4\xB8\x80\xE8\xA1\x8C\xE6\x88\x96\xE4\xB8\x8A\xE4\xB8\x80\xE8\xA1\x8C\xE6\x89\x93\xE6\x97\xB6\xE9\x97\xB4\xE6\x88\xB3"  // 歌词列表中按下/上（播放模式）：为下一行或上一行打时间戳
    "\nCtrl+Z\xEF\xBC\x9A\xE6\x92\xA4\xE9\x94\x80\xEF\xBC\x9B" "Ctrl+Y \xE6\x88\x96 Ctrl+Shift+Z\xEF\xBC\x9A\xE9\x87\x8D\xE5\x81\x9A"  // Ctrl+Z：撤销；Ctrl+Y 或 Ctrl+Shift+Z：重做
    "\n\xE5\x88\x97\xE8\xA1\xA8\xE4\xB8\xAD\xE6\x8C\x89 Ctrl+\xE5\x8F\xB3/Ctrl+\xE5\xB7\xA6\xEF\xBC\x9A\xE6\x8C\x89\xE8\xB7\xB3\xE8\xBD\xAC\xE6\xAD\xA5\xE9\x95\xBF\xE7\xA7\xBB\xE5\x8A\xA8\xE6\x89\x80\xE9\x80\x89\xE6\x97\xB6\xE9\x97\xB4\xE6\x88\xB3\xEF\xBC\x88\xE6\x9C\xAA\xE9\x80\x89\xE6\x97\xB6\xE7\xA7\xBB\xE5\x8A\xA8\xE8\xAF\xA5\xE8\xA1\x8C\xE5\x85\xA8\xE9\x83\xA8\xE6\x97\xB6\xE9\x97\xB4\xE6\x88\xB3\xEF\xBC\x89";  // 列表中按 Ctrl+右/Ctrl+左：按跳转步长移动所选时间戳（未选时移动该行全部时间戳）
#else
constexpr const char* about_keys =
    "\nKeys in the editor:"
    "\nDown/Up in the lyric list (Playing mode): stamp the next or previous line"
    "\nCtrl+Z: undo; Ctrl+Y or Ctrl+Shift+Z: redo"
    "\nCtrl+Right/Ctrl+Left in a list: move the selected time tag (or every tag of the line) by the seek step";
#endif

}  // namespace texts
}  // namespace versotime
