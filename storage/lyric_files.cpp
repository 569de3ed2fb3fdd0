#include "storage/lyric_files.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/lyric_document.h"
#include "editor/current_track.h"
#include "editor/editing_commands.h"
#include "editor/editor_state.h"
#include "editor/system_text.h"
#include "host/text_convert.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/config_variables.h"
#include "storage/file_names.h"
#include "storage/text_file.h"

namespace versotime {

namespace {

// Room for the longest path the dialog can hand back.
constexpr DWORD file_name_capacity = 32768;

class FileNameBuffer {
public:
    FileNameBuffer() : text_(static_cast<char*>(std::calloc(file_name_capacity, 1))) {}
    ~FileNameBuffer() { std::free(text_); }
    FileNameBuffer(const FileNameBuffer&) = delete;
    FileNameBuffer& operator=(const FileNameBuffer&) = delete;

    char* data() { return text_; }

private:
    char* text_;
};

// The system's Open dialog, used for reading and saving alike; false when
// the user cancels.
bool ask_file_name(HWND owner, const char* title, char* buffer) {
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = file_name_capacity;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_EXPLORER | OFN_SHOWHELP;
    return GetOpenFileNameA(&dialog) != 0;
}

// The folder part of `path` (system code page) into `folder`, "." when the
// path names none; false when it does not fit.
bool folder_of(const char* path, char* folder, std::size_t capacity) {
    const char* end = nullptr;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/') end = p;
    }
    if (!end) {
        if (capacity < 2) return false;
        std::strcpy(folder, ".");
        return true;
    }
    std::size_t length = static_cast<std::size_t>(end - path);
    if (length == 0 || (length == 2 && path[1] == ':')) ++length;  // keep the root's separator
    if (length + 1 > capacity) return false;
    std::memcpy(folder, path, length);
    folder[length] = '\0';
    return true;
}

bool write_all(HANDLE file, const char* bytes, std::uint32_t count) {
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(file, bytes, count, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

// Converted and written a piece at a time: converting a large text whole
// took three times its size in scratch space on top of the document.
constexpr std::uint32_t piece_bytes = 1u << 20;

enum class WriteResult { done, not_converted, not_written };

WriteResult write_converted(HANDLE file, const char* utf8, std::uint32_t length) {
    char* piece = static_cast<char*>(std::malloc(piece_bytes + 1));
    if (!piece) return WriteResult::not_converted;
    WriteResult result = WriteResult::done;
    std::uint32_t at = 0;
    while (at < length) {
        const std::uint32_t n = utf8_piece_length(utf8 + at, length - at, piece_bytes);
        // An invalid byte (a tag written by another program) becomes "?"
        // rather than the end of the file.
        std::uint32_t converted = 0;
        if (!convert_utf8_to_system_replacing(utf8 + at, n, piece, &converted)) {
            result = WriteResult::not_converted;
            break;
        }
        if (!write_all(file, piece, converted)) {
            result = WriteResult::not_written;
            break;
        }
        at += n;
    }
    std::free(piece);
    return result;
}

}  // namespace

void read_lyric_file(HWND editor) {
    FileNameBuffer buffer;
    if (!buffer.data()) return;
    if (!ask_file_name(editor, texts::open_file_title, buffer.data())) return;
    Utf8String text;
    if (!load_text_file(buffer.data(), text)) {
        clear_editor();
    } else if (!lyric_document.read_lrc(text)) {
        // Part of a file must never pass for the whole: a later save would
        // write the part over it.
        clear_editor();
        set_status(texts::allocate_failed);
    } else {
        if (refresh_after_read(true)) show_offset();
    }
    current_track.lyric_file_path.truncate(0);
    enable_control(IDC_SAVE_FILEPATH_TAG, false);
}

void propose_lyric_file_name(Utf8String& out) {
    if (lyric_filename_type.get() == 0) {
        propose_same_as_media(current_track.location.c_str(), lrc_suffix.get(), out);
        return;
    }
    SystemText script(lrc_name.get());
    out.truncate(0);
    // A failed formatting still leaves its text ("?" included) in `out`.
    current_track.format_track_title(script.c_str(), out);
    finish_formatted_name(out, lrc_suffix.get());
}

void save_lyric_file(HWND editor) {
    FileNameBuffer buffer;
    if (!buffer.data()) return;
    Utf8String proposal;
    propose_lyric_file_name(proposal);
    // The system-code-page form is never longer than the UTF-8 one, so a
    // UTF-8 cut on a character boundary makes the proposal fit.
    const std::uint32_t fit = utf8_fit_length(proposal.c_str(), proposal.length(), file_name_capacity - 1);
    SystemText proposed(proposal.c_str(), fit);
    const std::uint32_t length = proposed.length() < file_name_capacity - 1 ? proposed.length() : file_name_capacity - 1;
    std::memcpy(buffer.data(), proposed.c_str(), length);
    buffer.data()[length] = '\0';

    if (!ask_file_name(editor, texts::save_file_title, buffer.data())) return;
    if (write_lyric_file(buffer.data()) != 0) return;
    enable_control(IDC_SAVE_LYRIC_FILE, false);
    current_track.lyric_file_path.assign_system_text(buffer.data());
    enable_control(IDC_SAVE_FILEPATH_TAG, true);
}

namespace {

// Every way a save can fail after it began says so: the status line would
// otherwise keep "Wrote N lines successfully" from an earlier save.
int save_failed(int result) {
    set_status(texts::save_file_failed);
    return result;
}

}  // namespace

int write_lyric_file(const char* path) {
    if (lyric_document.line_count() == 0) {
        set_status(texts::lyric_too_short);
        return -1;
    }
    lyric_document.refresh_tag_texts();
    Utf8String lrc;
    if (!lyric_document.write_lrc(working_offset, lrc)) return save_failed(-1);

    // Write beside the target and move over it only when everything is on
    // disk, so a failed save never destroys the file that was there.
    char folder[MAX_PATH];
    char temporary[MAX_PATH];
    if (!folder_of(path, folder, sizeof folder)) return save_failed(-1);
    // The move below would replace a read-only file where the system lets
    // it (Wine does); such a file is never ours to overwrite.
    const DWORD existing = GetFileAttributesA(path);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) return save_failed(-1);
    if (!GetTempFileNameA(folder, "lrc", 0, temporary)) return save_failed(-1);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temporary);
        return save_failed(-1);
    }
    const WriteResult written = write_converted(file, lrc.c_str(), lrc.length());
    const bool closed = CloseHandle(file) != 0;
    if (written != WriteResult::done || !closed) {
        DeleteFileA(temporary);
        return save_failed(written == WriteResult::not_converted ? -1 : -3);
    }
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary);
        return save_failed(-1);
    }
    char status[128];
    std::snprintf(status, sizeof status, texts::wrote_lines, lyric_document.line_count());
    set_status(status);
    return 0;
}

}  // namespace versotime
