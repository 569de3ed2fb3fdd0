// The component's persistent settings. Each is a named variable linked into
// one process-wide list at static construction; the player keeps them all as
// one opaque block, written by write_config and read back by read_config.
#pragma once

#include <cstdint>

namespace versotime {

// A byte sink. The player passes one in to receive the configuration block;
// it implements the same table, so this order is the contract.
class ConfigWriter {
public:
    virtual void write(const void* data, std::uint32_t size) = 0;

protected:
    ~ConfigWriter() = default;
};

class ConfigVariable {
public:
    ConfigVariable(const ConfigVariable&) = delete;
    ConfigVariable& operator=(const ConfigVariable&) = delete;

    // Writes the value's bytes; true when it wrote something.
    virtual bool get_data(ConfigWriter& writer) const = 0;
    // Replaces the value from a block, or ignores a block of the wrong size.
    virtual void set_data(const void* data, std::uint32_t size) = 0;

    // Null only when the heap could not hold the copy.
    const char* key() const { return key_; }
    ConfigVariable* next() const { return next_; }

protected:
    // Copies the key and links the variable in at the front of the list.
    explicit ConfigVariable(const char* key);
    ~ConfigVariable();

private:
    char* key_;
    ConfigVariable* next_;
};

// The most recently constructed variable; follow next() for the rest.
ConfigVariable* first_config_variable();

class ConfigInt final : public ConfigVariable {
public:
    ConfigInt(const char* key, std::int32_t default_value)
        : ConfigVariable(key), value_(default_value) {}

    bool get_data(ConfigWriter& writer) const override;
    void set_data(const void* data, std::uint32_t size) override;

    std::int32_t get() const { return value_; }
    void set(std::int32_t value) { value_ = value; }

private:
    std::int32_t value_;
};

class ConfigString final : public ConfigVariable {
public:
    ConfigString(const char* key, const char* default_value);
    ~ConfigString();

    bool get_data(ConfigWriter& writer) const override;
    void set_data(const void* data, std::uint32_t size) override;

    // "" when the variable holds no text, never the default.
    const char* get() const { return text_ ? text_ : ""; }
    // Copies the text (up to `max_bytes` or its NUL); empty text frees it.
    // False, with the value unchanged, when the heap cannot hold the copy.
    bool set(const char* text, std::uint32_t max_bytes = 0xFFFFFFFFu);

private:
    char* text_ = nullptr;
};

// The 44-byte Win32 window placement record, field by field, each a 32-bit
// little-endian value in the stored block.
struct WindowPlacementRecord {
    std::uint32_t length;  // 44 when valid
    std::uint32_t flags;
    std::uint32_t show_cmd;
    std::int32_t min_position_x;
    std::int32_t min_position_y;
    std::int32_t max_position_x;
    std::int32_t max_position_y;
    std::int32_t normal_position_left;
    std::int32_t normal_position_top;
    std::int32_t normal_position_right;
    std::int32_t normal_position_bottom;
};
static_assert(sizeof(WindowPlacementRecord) == 44, "the placement record is stored as 44 bytes");

class ConfigPlacement final : public ConfigVariable {
public:
    explicit ConfigPlacement(const char* key) : ConfigVariable(key), value_() {}

    bool get_data(ConfigWriter& writer) const override;
    void set_data(const void* data, std::uint32_t size) override;

    const WindowPlacementRecord& get() const { return value_; }
    void set(const WindowPlacementRecord& value) { value_ = value; }

private:
    WindowPlacementRecord value_;
};

// The ten settings, constructed in this order (so the list, and the block,
// runs from window_placement back to lyric_auto_save).
extern ConfigInt lyric_auto_save;              // 1: save lyrics to the tag on closing after an edit
extern ConfigInt lyric_filename_type;          // 0: media file's name, 1: formatted by lrc_name
extern ConfigString lyric_filename_tag_value;  // tag field receiving the lyric file's path
extern ConfigString lyric_tag_value;           // tag field holding the lyric text
extern ConfigString lrc_title;                 // title formatting of the editor's caption
extern ConfigString lrc_suffix;                // lyric file extension, without the dot
extern ConfigString lrc_name;                  // title formatting of lyric file names
extern ConfigInt at_toppest;                   // 1: the editor stays above other windows
extern ConfigInt window_remember;              // 1: the editor reopens where it was closed
extern ConfigPlacement window_placement;       // the editor's placement at its last closing

// Writes every variable as one record: key length, key, data size, data.
void write_config(ConfigWriter& writer);
// Restores the variables named in a block; stops quietly at the first record
// that does not fit in it. Variables it does not name keep their values.
void read_config(const void* block, std::uint32_t size);
// The player may ask for a reset; the settings are kept as they are.
inline void reset_config() {}

}  // namespace versotime
